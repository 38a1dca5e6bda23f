// DiceEngine: the position of the dice game (kind 8) and its computer opponent.
//
// The game owns one engine; its points, side to move, dice and counters are the
// running game's state. The computer plays a whole turn at once: every sequence of
// single checker steps the dice allow is enumerated, each final position is scored
// with a progress measure for the side that moves, and the best is played (random
// among equals). There is no look-ahead past the turn being played.
//
// Board geometry. Side +1 has its head on point 0, runs towards higher points and
// has its home quarter on 18 ... 23. Side -1 has its head on point 12, runs
// 12 ... 23, 0 ... 11 and has its home quarter on 6 ... 11. Both leave the board
// one step past their last point (23 and 11).
//
// Target encoding (`targets`, step targets passed to ApplyStep): a target is the
// point index reached by counting forward from the source without wrapping, so for
// side -1 it may exceed 23 and then stands for target - 24; a target equal to the
// source means the checker is borne off.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/dice_step_list.h"

namespace tavlero {

class OSettingsTree;

class DiceEngine {
 public:
  static constexpr int kPoints = 24;
  static constexpr int kCheckers = 15;
  static constexpr int kMaxDie = 6;
  // Steps of a roll with equal dice.
  static constexpr int kDoubleSteps = 4;
  // A decided game, from the point of view of the side to move.
  static constexpr int kDecidedScore = 1000000000;
  // Below every score a final position can have.
  static constexpr int kLowestScore = -1215752192;

  DiceEngine();
  // Releases the successors too.
  virtual ~DiceEngine();
  // Copies the position, the dice, the flags and the step records; never the
  // successors (a copy starts without any).
  DiceEngine(const DiceEngine& other);
  DiceEngine& operator=(const DiceEngine& other);

  // Replaces `successors` with the final positions of every step sequence the dice
  // allow `player`, in generation order, without the ones that break the block
  // rule. Returns their number. The mover stays `player` in every final position.
  virtual int GenerateSuccessors();
  // Score of the position for `player`; `terminal` when one side has borne off all.
  virtual int Evaluate(bool& terminal);
  // Fifteen checkers on each head, side +1 to move.
  virtual void SetStartPosition();

  // Plays the computer's turn with the dice already set: picks the best final
  // position (random among equals), takes its points and step records, and flips
  // `player` (also when nothing could be played). Returns the number of final
  // positions it chose from.
  int Think();
  // Scores every successor from the mover's view into `scores` and lists in `ties`
  // the indexes that reach the highest score. With exactly one successor it is the
  // only tie; with none both lists are empty. Returns the best score
  // (kLowestScore without successors).
  int ScoreSuccessors(std::vector<int>& scores, std::vector<int>& ties);

  // Fills `targets` with the points one checker of `side` on `point` may reach with
  // the dice left (see the target encoding above) and sets `bearOffAllowed`:
  // - nothing from the head once a checker has left it this turn, nothing once no
  //   step is left;
  // - different dice: first die, both (first then second), second die, both
  //   (second then first); a combined move needs its middle point open, so the
  //   same point may be listed twice;
  // - equal dice: 1, 2, ... times the die while every point touched is open and
  //   steps are left;
  // - every point reached holds no checker of the other side, and no move runs
  //   past the last point except by bearing off;
  // - bearing off only with every checker home: exactly, or with a larger die
  //   when no checker stands farther from the exit. It is always a move of one die
  //   (combined and repeated moves end on the board), because the dice are charged
  //   for bearing off by one die.
  void ComputeTargets(int point, int side);
  // The same rule without touching the engine: appends the targets to `out`.
  void ListTargets(int point, int side, std::vector<int>& out) const;
  // True while a die or step is left and some checker of `player` has a target.
  bool HasAnyMove() const;
  // False when `player` holds six consecutive points (around the board) while the
  // opponent has no checker in its own home quarter yet.
  bool PassesBlockRule() const;

  // Moves one checker of `player` from `from` to the encoded `target`: changes the
  // counts, appends the step records, uses the dice and spends the head flag when
  // the checker leaves the head. Checks only that the arguments name points; the
  // move rule is the caller's (ListTargets). Returns false, unchanged, otherwise.
  bool ApplyStep(int from, int target);

  void ClearSuccessors();
  // Moves the final positions under `node` (the node itself when it has no
  // successors) into `leaves` in order; intermediate step nodes are released.
  static void CollectLeaves(std::unique_ptr<DiceEngine> node,
                            std::vector<std::unique_ptr<DiceEngine>>& leaves);
  void CopyPoints(const int* source);
  void ClearStepRecords();

  // State keys under `prefix`: .Position .Player .dice1 .dice2 .double_counter
  void LoadState(const OSettingsTree& tree, const std::string& prefix);
  void SaveState(OSettingsTree& tree, const std::string& prefix) const;

  // Geometry helpers.
  static int HeadOf(int side) { return side > 0 ? 0 : 12; }
  // Position of `point` along the path of `side`: 0 on its head, 23 on its last point.
  static int PathIndex(int point, int side) { return side > 0 ? point : (point + 12) % kPoints; }
  // The point at `pathIndex` (0 ... 23) along the path of `side`.
  static int PointAt(int pathIndex, int side) { return side > 0 ? pathIndex : (pathIndex + 12) % kPoints; }
  // Steps forward from `from` to `to` along the board (both sides run the same way).
  static int ForwardDistance(int from, int to) { return (to - from + kPoints) % kPoints; }
  int CheckersOf(int side) const;
  // Every checker of `side` still on the board stands in its home quarter.
  bool AllHome(int side) const;

  std::array<int, kPoints> points{};
  int player = 1;
  std::vector<int> targets;
  std::vector<std::unique_ptr<DiceEngine>> successors;
  int dice1 = 0;
  int dice2 = 0;
  // Steps left with equal dice (4 after the roll); -1 with different dice (never
  // counted down); 0 when no step is left.
  int double_counter = 0;
  std::uint8_t bearOffAllowed = 0;
  std::uint8_t headAllowed = 1;
  // One entry per step of the turn, in order: the point left, the point reached
  // (the point left when borne off), the signed counts now on each of them.
  DiceStepList fromPoints;
  DiceStepList toPoints;
  DiceStepList fromCounts;
  DiceStepList toCounts;

 private:
  bool Holds(int point, int side) const { return points[point] * side > 0; }
  // No checker of the other side stands on `point`.
  bool OpenFor(int point, int side) const { return points[point] * side >= 0; }
  // Target for one die from `point`, or -1 when the die allows nothing there.
  int SingleDieTarget(int point, int side, int die, bool bearOffOk) const;
  // Hands every target to `sink` (returns false to stop); false when stopped.
  template <class Sink>
  bool VisitTargets(int point, int side, Sink&& sink) const;
  bool EqualDice() const { return dice1 == dice2 && dice1 > 0; }
  void UseDice(int from, int target);
};

}  // namespace tavlero
