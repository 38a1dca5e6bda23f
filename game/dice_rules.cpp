#include "game/dice_rules.h"

#include <algorithm>

#include "platform/random.h"

namespace tavlero {

namespace {

constexpr int kDemonstrationDieMinus = 3;

// The engine's forward target for a step from `from` to board point `to`.
int EncodedTarget(int from, int to) {
  return to == from ? from : from + DiceEngine::ForwardDistance(from, to);
}

bool OnBoard(int point) { return point >= 0 && point < DiceEngine::kPoints; }

}  // namespace

std::vector<int> DiceDestinations(const DiceEngine& position, int point) {
  std::vector<int> result;
  if (!OnBoard(point) || position.dice1 + position.dice2 == 0 || position.double_counter == 0) return result;
  std::vector<int> targets;
  position.ListTargets(point, position.player, targets);
  for (const int target : targets) {
    const int destination = target % DiceEngine::kPoints;
    if (std::find(result.begin(), result.end(), destination) != result.end()) continue;
    // The step may not leave the mover with a block of six while the rule applies.
    DiceEngine after(position);
    after.ApplyStep(point, target);
    if (!after.PassesBlockRule()) continue;
    result.push_back(destination);
  }
  return result;
}

bool DiceStep(DiceEngine& position, int from, int to) {
  if (!OnBoard(from) || !OnBoard(to)) return false;
  const std::vector<int> allowed = DiceDestinations(position, from);
  if (std::find(allowed.begin(), allowed.end(), to) == allowed.end()) return false;
  // The dice are charged by the distance along the mover's path, so a step across
  // the seam between points 23 and 0 costs what it travels.
  return position.ApplyStep(from, EncodedTarget(from, to));
}

bool DiceTurnGoesOn(const DiceEngine& position) {
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    if (!DiceDestinations(position, point).empty()) return true;
  }
  return false;
}

int DiceWinner(const DiceEngine& position) {
  if (position.CheckersOf(1) == 0) return kDiceWinnerPlus;
  if (position.CheckersOf(-1) == 0) return kDiceWinnerMinus;
  return kDiceNoWinner;
}

DiceRoll ThrowDice() {
  DiceRoll roll;
  roll.dice1 = 1 + RandomBelow(DiceEngine::kMaxDie);
  roll.dice2 = 1 + RandomBelow(DiceEngine::kMaxDie);
  return roll;
}

DiceRoll ThrowDemonstrationDice(int side) {
  if (side > 0) return ThrowDice();
  DiceRoll roll;
  roll.dice1 = 1 + RandomBelow(kDemonstrationDieMinus);
  do {
    roll.dice2 = 1 + RandomBelow(kDemonstrationDieMinus);
  } while (roll.dice2 == roll.dice1);
  return roll;
}

void StartDiceTurn(DiceEngine& position, DiceRoll roll) {
  position.dice1 = roll.dice1;
  position.dice2 = roll.dice2;
  position.double_counter = roll.dice1 == roll.dice2 ? DiceEngine::kDoubleSteps : -1;
  position.headAllowed = 1;
  position.ClearStepRecords();
}

void EndDiceTurn(DiceEngine& position) { position.player = -position.player; }

}  // namespace tavlero
