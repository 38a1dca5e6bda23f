// Whole games of the computer against itself, each turn checked step by step
// against an independent statement of the rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/dice_engine.h"
#include "game/dice_rules.h"
#include "platform/random.h"

namespace tavlero {
namespace {

using Board = std::array<int, 24>;

// Along the path of `side`: 0 on its head, 18 ... 23 its home quarter.
int PathOf(int point, int side) { return side > 0 ? point : (point + 12) % 24; }
int PointOf(int path, int side) { return side > 0 ? path : (path + 12) % 24; }
bool Open(const Board& b, int point, int side) { return b[point] * side >= 0; }

bool AllHome(const Board& b, int side) {
  for (int p = 0; p < 24; ++p) {
    if (b[p] * side > 0 && PathOf(p, side) < 18) return false;
  }
  return true;
}

bool BreaksBlockRule(const Board& b, int side) {
  for (int path = 18; path < 24; ++path) {
    if (b[PointOf(path, -side)] * -side > 0) return false;
  }
  for (int start = 0; start < 24; ++start) {
    int held = 0;
    while (held < 6 && b[(start + held) % 24] * side > 0) ++held;
    if (held == 6) return true;
  }
  return false;
}

// Replays the engine's step records of one turn; empty when every step was legal.
std::string CheckTurn(Board b, int side, int d1, int d2, const DiceEngine& after) {
  std::vector<int> pips = d1 == d2 ? std::vector<int>(4, d1) : std::vector<int>{d1, d2};
  std::sort(pips.begin(), pips.end());
  bool headLeft = false;
  for (std::size_t s = 0; s < after.fromPoints.size(); ++s) {
    const int from = after.fromPoints[s];
    const int to = after.toPoints[s];
    const int path = PathOf(from, side);
    if (b[from] * side <= 0) return "step from a point without the mover's checker";
    if (from == (side > 0 ? 0 : 12) && std::exchange(headLeft, true)) return "second checker from the head";
    if (to == from) {
      if (!AllHome(b, side)) return "bearing off before every checker is home";
      const auto fits = [&](int die) {
        if (path + die < 24) return false;
        for (int behind = 18; behind < path && path + die > 24; ++behind) {
          if (b[PointOf(behind, side)] * side > 0) return false;
        }
        return true;
      };
      const auto die = std::find_if(pips.begin(), pips.end(), fits);  // the smallest that fits
      if (die == pips.end()) return "bearing off without a fitting die";
      pips.erase(die);
    } else {
      const int distance = (to - from + 24) % 24;
      if (path + distance > 23) return "checker carried past the last point";
      if (!Open(b, to, side)) return "landing on the opponent's point";
      // One die, or several whose intermediate points are open.
      const auto single = std::find(pips.begin(), pips.end(), distance);
      if (single != pips.end()) {
        pips.erase(single);
      } else if (d1 == d2 && distance % d1 == 0 && distance / d1 <= static_cast<int>(pips.size())) {
        for (int k = 1; k * d1 < distance; ++k) {
          if (!Open(b, (from + k * d1) % 24, side)) return "equal dice passing a closed point";
        }
        pips.resize(pips.size() - distance / d1);
      } else if (d1 != d2 && pips.size() == 2 && distance == d1 + d2) {
        if (!Open(b, (from + d1) % 24, side) && !Open(b, (from + d2) % 24, side)) return "both dice through closed points";
        pips.clear();
      } else {
        return "step that the dice do not allow";
      }
      b[to] += side;
    }
    b[from] -= side;
    if (after.fromCounts[s] != b[from] || after.toCounts[s] != b[to]) return "step records with wrong counts";
  }
  if (b != after.points) return "recorded steps do not lead to the position played";
  if (!after.fromPoints.empty() && BreaksBlockRule(b, side)) return "turn ends with six points in a row";
  return {};
}

int GamesToPlay() {
  if (const char* count = std::getenv("TAVLERO_DICE_SELFPLAY_GAMES")) return std::max(1, std::atoi(count));
#if defined(__SANITIZE_ADDRESS__)
  return 100;
#else
  return 1000;
#endif
}

TEST(DiceSelfPlay, SeededGamesFollowTheRulesAndEndWithOneSideBorneOff) {
  const int games = GamesToPlay();
  int wins[2] = {0, 0};
  for (int game = 0; game < games; ++game) {
    SeedRand(1000 + game);
    DiceEngine engine;
    engine.SetStartPosition();
    int winner = kDiceNoWinner;
    for (int turn = 0; turn < 2000 && winner == kDiceNoWinner; ++turn) {
      const int side = engine.player;
      const DiceRoll roll = ThrowDice();
      StartDiceTurn(engine, roll);
      const Board before = engine.points;
      engine.Think();
      ASSERT_EQ(engine.player, -side);
      ASSERT_EQ(CheckTurn(before, side, roll.dice1, roll.dice2, engine), "") << "game " << game << " turn " << turn;
      winner = DiceWinner(engine);
    }
    ASSERT_NE(winner, kDiceNoWinner) << "game " << game << " did not end";
    const int winnerSide = winner == kDiceWinnerPlus ? 1 : -1;
    EXPECT_GT(engine.CheckersOf(-winnerSide), 0);
    ++wins[winner - 1];
  }
  // Side +1 throws first; with the same engine on both sides neither is hopeless.
  EXPECT_GT(wins[0], games / 5);
  EXPECT_GT(wins[1], games / 5);
}

}  // namespace
}  // namespace tavlero
