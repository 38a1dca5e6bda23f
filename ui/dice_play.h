// DicePlay: the race game with two dice (kind 8) on the game screen. The human throws
// by clicking the board while the dice follow the mouse, then moves checker by
// checker, each step gliding to its point; the computer throws, plays its whole turn
// at once and shows it step by step.
#pragma once

#include <array>
#include <vector>

#include "engine/dice_engine.h"
#include "ui/kind_play.h"

namespace tavlero {

struct DiceScreenPoint {
  int x = 0, y = 0;
};

// Where the k-th checker (from 0) of a point is drawn: top points (0 ... 11, right to
// left) stack down from y = 15, bottom points (12 ... 23, left to right) up from 536.
DiceScreenPoint DiceStackPlace(int point, int k);

// What a click on the dice board hits, given how many checkers each point shows.
struct DiceHit {
  int point = -1;     // -1: nothing
  bool drop = false;  // the free place next to a point's stack, not its checkers
};
DiceHit DiceHitAt(const std::array<int, DiceEngine::kPoints>& drawn, int x, int y, bool checkerSelected);

class DicePlay : public KindPlay {
 public:
  static constexpr int kRollFramesMax = 50;
  static constexpr double kCheckerSpeed = 20;  // pixels per frame
  static constexpr double kDiceDepth = -1, kMovingDepth = -10;

  explicit DicePlay(OGameScreen& game);
  ~DicePlay() override;

  bool Open() override;
  void Resume() override;
  void Click(int x, int y) override;
  void Hover(int x, int y) override;
  void Tick() override;
  void Arrived(OSprite* sprite) override;
  void ComputerMove() override;
  void CheckEnd() override;
  void ShowPosition() override;
  void Drop() override;
  void CountPieces(int& first, int& second) const override;

  bool WaitingForThrow() const { return waitingThrow_; }
  bool Rolling() const { return rolling_; }
  int Selected() const { return selected_; }
  const std::vector<int>& Destinations() const { return destinations_; }
  const std::array<int, DiceEngine::kPoints>& Drawn() const { return drawn_; }
  const OSprite* Die(int i) const { return dice_[i]; }

 private:
  struct Step {
    int from, to, fromCount, toCount;
  };

  DiceEngine& Engine() const;
  bool HumanThrows() const;
  void PlaceDice(int x, int y);
  void ShowFace(int die, int face);
  void BeginThrow(bool byComputer);
  void RollFinished();
  void Select(int point);
  void ShowMarkers();
  void ClearMarkers();
  // A checker glides from the top of `from` to the next free place on `to` (its own
  // place when it is borne off).
  void Glide(int from, int to);
  void AfterHumanStep();
  void EndHumanTurn();
  void PlayComputerTurn();
  void ReplayNextStep();

  std::array<OSprite*, 2> dice_{};
  std::array<int, 2> faces_{1, 1};
  std::array<int, 2> rollTimes_{};
  std::array<std::vector<OSprite*>, DiceEngine::kPoints> stacks_;
  std::array<int, DiceEngine::kPoints> drawn_{};
  std::vector<OSprite*> markers_;
  std::vector<int> destinations_;
  OSprite* moving_ = nullptr;
  int selected_ = -1;
  bool waitingThrow_ = false;
  bool rolling_ = false;
  bool computerThrow_ = false;
  int rollCounter_ = 0;
  // The computer's turn being shown: its steps still to show and the position after it.
  std::vector<Step> replay_;
  std::size_t replayNext_ = 0;
  DiceEngine turnResult_;
  bool replaying_ = false;
  int replayTo_ = -1, replayToCount_ = 0;
};

}  // namespace tavlero
