// Whole games of the computer against itself, each turn checked step by step
// against an independent statement of the rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/dice_engine.h"
#include "game/dice_rules.h"
#include "platform/random.h"

namespace tavlero {
namespace {

using Board = std::array<int, 24>;

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

// Checks one turn's steps as recorded by the engine. Returns an empty string when
// every step is legal, else what went wrong.
std::string CheckTurn(const Board& before, int side, int d1, int d2, const DiceEngine& after) {
  Board b = before;
  std::vector<int> pips = d1 == d2 ? std::vector<int>(4, d1) : std::vector<int>{d1, d2};
  bool headLeft = false;
  const int head = side > 0 ? 0 : 12;
  const auto take = [&](int die) {
    auto it = std::find(pips.begin(), pips.end(), die);
    if (it == pips.end()) return false;
    pips.erase(it);
    return true;
  };
  for (std::size_t s = 0; s < after.fromPoints.size(); ++s) {
    const int from = after.fromPoints[s];
    const int to = after.toPoints[s];
    if (b[from] * side <= 0) return "step from a point without the mover's checker";
    if (from == head) {
      if (headLeft) return "second checker from the head";
      headLeft = true;
    }
    const int path = PathOf(from, side);
    if (to == from) {
      if (!AllHome(b, side)) return "bearing off before all checkers are home";
      std::sort(pips.begin(), pips.end());
      bool done = false;
      for (int die : pips) {
        bool ok = path + die == 24;
        if (path + die > 24) {
          ok = true;
          for (int behind = 18; behind < path; ++behind) ok &= b[PointOf(behind, side)] * side <= 0;
        }
        if (ok) {
          take(die);
          done = true;
          break;
        }
      }
      if (!done) return "bearing off without a fitting die";
      b[from] -= side;
      continue;
    }
    const int distance = (to - from + 24) % 24;
    if (path + distance > 23) return "checker carried past the last point";
    if (!Open(b, to, side)) return "landing on the opponent's point";
    if (!take(distance)) {
      // Several dice in one step: every intermediate point must be open.
      bool ok = false;
      if (d1 == d2 && distance % d1 == 0 && distance / d1 <= static_cast<int>(pips.size())) {
        ok = true;
        for (int k = 1; k * d1 < distance; ++k) ok &= Open(b, (from + k * d1) % 24, side);
        if (ok) pips.resize(pips.size() - distance / d1);
      } else if (d1 != d2 && pips.size() == 2 && distance == d1 + d2) {
        ok = Open(b, (from + d1) % 24, side) || Open(b, (from + d2) % 24, side);
        if (ok) pips.clear();
      }
      if (!ok) return "step that the dice do not allow";
    }
    b[from] -= side;
    b[to] += side;
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
  int winsPlus = 0;
  int winsMinus = 0;
  long long turns = 0;
  for (int game = 0; game < games; ++game) {
    SeedRand(1000 + game);
    DiceEngine engine;
    engine.SetStartPosition();
    int winner = kDiceNoWinner;
    int turn = 0;
    for (; turn < 2000 && winner == kDiceNoWinner; ++turn) {
      const int side = engine.player;
      const DiceRoll roll = ThrowDice();
      ASSERT_TRUE(roll.dice1 >= 1 && roll.dice1 <= 6 && roll.dice2 >= 1 && roll.dice2 <= 6);
      StartDiceTurn(engine, roll);
      const Board before = engine.points;
      engine.Think();
      ASSERT_EQ(engine.player, -side);
      const std::string fault = CheckTurn(before, side, roll.dice1, roll.dice2, engine);
      ASSERT_EQ(fault, "") << "game " << game << " turn " << turn;
      winner = DiceWinner(engine);
    }
    turns += turn;
    ASSERT_NE(winner, kDiceNoWinner) << "game " << game << " did not end";
    const int winnerSide = winner == kDiceWinnerPlus ? 1 : -1;
    EXPECT_EQ(engine.CheckersOf(winnerSide), 0);
    EXPECT_GT(engine.CheckersOf(-winnerSide), 0);
    (winner == kDiceWinnerPlus ? winsPlus : winsMinus)++;
  }
  std::printf("%d games, %lld turns, side +1 won %d, side -1 won %d\n", games, turns, winsPlus, winsMinus);
  // Side +1 throws first; neither side should be hopeless with the same engine.
  EXPECT_GT(winsPlus, games / 5);
  EXPECT_GT(winsMinus, games / 5);
}

}  // namespace
}  // namespace tavlero
