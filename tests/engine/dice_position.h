// Building dice-game positions for tests.
#pragma once

#include <initializer_list>
#include <utility>

#include "engine/dice_engine.h"

namespace tavlero::dice_test {

// `checkers` lists (point, signed count) pairs; every other point is empty.
// Equal dice give four steps, different dice -1; the head is still open.
inline DiceEngine MakePosition(std::initializer_list<std::pair<int, int>> checkers, int player, int dice1,
                               int dice2) {
  DiceEngine engine;
  engine.points.fill(0);
  for (const auto& [point, count] : checkers) engine.points[point] = count;
  engine.player = player;
  engine.dice1 = dice1;
  engine.dice2 = dice2;
  engine.double_counter = dice1 == dice2 ? DiceEngine::kDoubleSteps : -1;
  engine.headAllowed = 1;
  return engine;
}

inline std::vector<int> TargetsOf(DiceEngine& engine, int point) {
  engine.ComputeTargets(point, engine.player);
  return engine.targets;
}

}  // namespace tavlero::dice_test
