// The computer playing both sides of the draughts kinds at every level: every move is
// one of the position's successors, and a game ends by the rules or at the limit.
#include <gtest/gtest.h>

#include "engine/kind_engines.h"
#include "game/game_end.h"
#include "platform/random.h"

namespace tavlero {
namespace {

struct SelfPlayResult {
  int moves = 0;
  GameEnd end;
};

// The position without the marks of pieces taken by a flying king (a searched node
// has already cleared them from its own cells).
std::vector<int> WithoutMarks(const int* cells) {
  std::vector<int> v(cells, cells + kMaxCells);
  for (int& c : v)
    if (c == 3 || c == -3) c = 0;
  return v;
}

// Plays up to `limit` moves; fails the test on a move that is no successor.
SelfPlayResult PlayOut(int kind, int level, int limit) {
  SelfPlayResult result;
  auto engine = StartKindEngine(kind);
  const int depth = SearchDepth(kind, level);
  while (result.moves < limit && !(result.end = CheckGameEnd(kind, *engine, false)).over) {
    engine->GenerateSuccessors();
    std::vector<std::vector<int>> options;
    for (const auto& s : engine->successors) options.push_back(WithoutMarks(s->cells));
    engine->ClearSuccessors();
    const int side = engine->player;
    engine->Think(depth);
    const std::vector<int> played = WithoutMarks(engine->cells);
    EXPECT_NE(std::find(options.begin(), options.end(), played), options.end())
        << "kind " << kind << " level " << level << " move " << result.moves;
    EXPECT_EQ(engine->player, -side);
    if (::testing::Test::HasFailure()) break;
    ++result.moves;
  }
  return result;
}

TEST(SelfPlay, EveryKindAndLevelPlaysLegalMovesToTheEndOrTheLimit) {
  // Level 0 plays whole games (500 moves at most); the deeper levels play an opening.
  const int limits[3] = {500, 16, 6};
  int finished = 0;
  for (int kind : {0, 3, 5, 6, 7}) {
    for (int level = 0; level < 3; ++level) {
      SeedRand(100 + 10 * kind + level);
      const SelfPlayResult r = PlayOut(kind, level, limits[level]);
      if (r.end.over) {
        ++finished;
        EXPECT_NE(r.end.winner, kNoWinner) << "draughts games end with a winner";
      } else {
        EXPECT_EQ(r.moves, limits[level]);
      }
    }
  }
  EXPECT_GE(finished, 3) << "most level-0 games should reach an end";
}

}  // namespace
}  // namespace tavlero
