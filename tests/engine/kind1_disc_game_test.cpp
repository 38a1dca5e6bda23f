// The disc game's engine: move generation against the published move counts, the
// square-table evaluation, the search on top of it, and whole games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/disc_rules.h"
#include "engine/kind_engine1.h"
#include "game/game_end.h"
#include "platform/random.h"

namespace tavlero {
namespace {

// Board text, top line = row 7: 'X' side +1, 'O' side -1, '.' empty.
void SetBoard(SearchEngine& engine, const char* rows[8]) {
  std::fill(std::begin(engine.cells), std::end(engine.cells), 0);
  for (int line = 0; line < 8; ++line) {
    for (int x = 0; x < 8; ++x) {
      const char c = rows[line][x];
      engine.cells[(7 - line) * 8 + x] = c == 'X' ? 1 : (c == 'O' ? -1 : 0);
    }
  }
  engine.evalState = 0;
}

long long CountLeaves(SearchEngine& node, int depth) {
  if (depth == 0) return 1;
  const int count = node.GenerateSuccessors();
  long long leaves = 0;
  for (auto& child : node.successors) leaves += CountLeaves(*child, depth - 1);
  node.ClearSuccessors();
  return count == 0 ? 0 : leaves;
}

// Plain minimax in negamax form, no pruning, over the compact rules: what the
// engine's alpha-beta must reproduce for every root move.
int Minimax(const std::int8_t* cells, int player, int depth, int maxDepth) {
  bool decided = false;
  const int score = EvaluateDiscs(cells, player, decided);
  if (decided || depth >= maxDepth) return score;
  int moves[kDiscCells];
  const int count = ListDiscMoves(cells, player, moves);
  if (count == 0) return depth - kWinScore;
  int best = -kSearchWindow;
  for (int i = 0; i < count; ++i) {
    std::int8_t next[kDiscCells];
    std::memcpy(next, cells, sizeof next);
    PlayDisc(next, moves[i] % 8, moves[i] / 8, player);
    best = std::max(best, -Minimax(next, -player, depth + 1, maxDepth));
  }
  return best;
}

void Start(KindEngine1& engine) {
  engine.SetBoardSize(8);
  engine.SetStartPosition();
}

TEST(Kind1Moves, PerftFromTheStartMatchesPublishedCounts) {
  KindEngine1 engine;
  Start(engine);
  const long long expected[] = {4, 12, 56, 244, 1396, 8200, 55092};
  for (int depth = 1; depth <= 7; ++depth) EXPECT_EQ(CountLeaves(engine, depth), expected[depth - 1]) << depth;
}

TEST(Kind1Moves, SuccessorsAreOrderedByColumnThenRowAndTurnEveryClosedRun) {
  KindEngine1 engine;
  Start(engine);
  ASSERT_EQ(engine.GenerateSuccessors(), 4);
  // Side +1 holds (3,4) and (4,3); its placements are (2,3), (3,2), (4,5), (5,4).
  const int placed[] = {3 * 8 + 2, 2 * 8 + 3, 5 * 8 + 4, 4 * 8 + 5};
  for (int i = 0; i < 4; ++i) {
    const SearchEngine& s = *engine.successors[i];
    EXPECT_EQ(s.cells[placed[i]], 1);
    EXPECT_EQ(std::count(s.cells, s.cells + 64, 1) * 10 + std::count(s.cells, s.cells + 64, -1), 41);
  }

  // One disc closing runs in three directions at once turns all of them, and a run
  // that reaches the edge without a closing disc is left alone.
  const char* rows[8] = {"........", "........", ".XXXXX..", "..OOO...", "..O.OO..",
                         "..OOO...", "........", "......O."};
  SetBoard(engine, rows);
  engine.player = 1;
  ASSERT_TRUE(CanPlayDisc(engine.cells, 3, 3, 1));
  ASSERT_TRUE(PlayDisc(engine.cells, 3, 3, 1));
  EXPECT_EQ(engine.cells[3 * 8 + 3], 1);
  EXPECT_EQ(engine.cells[4 * 8 + 3], 1);  // straight up
  EXPECT_EQ(engine.cells[4 * 8 + 2], 1);  // up-left
  EXPECT_EQ(engine.cells[4 * 8 + 4], 1);  // up-right
  EXPECT_EQ(engine.cells[3 * 8 + 4], -1);  // run to the right is not closed
  EXPECT_EQ(engine.cells[2 * 8 + 3], -1);
  EXPECT_FALSE(PlayDisc(engine.cells, 0, 0, 1));  // turns nothing
  EXPECT_EQ(engine.cells[0], 0);
}

TEST(Kind1Moves, ASideWithoutPlacementHasNoSuccessorsAndThinkChangesNothing) {
  KindEngine1 engine;
  Start(engine);
  const char* rows[8] = {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                         "XXXXXXXX", "XXXXXXXX", "XXXXXXX.", "XXXXXXO."};
  SetBoard(engine, rows);
  engine.player = -1;  // side -1 cannot close anything: no pass move exists
  int before[kMaxCells];
  std::copy(std::begin(engine.cells), std::end(engine.cells), before);
  EXPECT_EQ(engine.GenerateSuccessors(), 0);
  EXPECT_EQ(engine.Think(4), -kWinScore);
  EXPECT_TRUE(std::equal(before, before + kMaxCells, engine.cells));
  EXPECT_EQ(engine.player, -1);
}

TEST(Kind1Evaluation, SquareTableAndFullBoard) {
  KindEngine1 engine;
  Start(engine);
  bool terminal = true;
  // The four centre squares are worth 8000 each: 16000 - 16000.
  EXPECT_EQ(engine.Evaluate(terminal), 0);
  EXPECT_FALSE(terminal);

  const char* rows[8] = {"X......O", "........", "........", "...X....",
                         "........", "........", ".O......", "X......."};
  SetBoard(engine, rows);
  engine.player = -1;
  // +1: corners 8000 + 8000, centre 8000; -1: corner 8000, (1,1) 1000. Seen by -1.
  EXPECT_EQ(engine.Evaluate(terminal), -(24000 - 9000));
  EXPECT_FALSE(terminal);
  engine.cells[0] = 0;  // the cache answers until the position is reloaded
  EXPECT_EQ(engine.Evaluate(terminal), -15000);
  engine.CopyPosition(engine.cells);
  EXPECT_EQ(engine.Evaluate(terminal), -7000);

  // Full boards: more discs decide (no depth discount), equal counts do not.
  std::fill(engine.cells, engine.cells + 64, 1);
  std::fill(engine.cells, engine.cells + 31, -1);
  engine.CopyPosition(engine.cells);
  engine.depth = 5;
  EXPECT_EQ(engine.Evaluate(terminal), -kWinScore);
  EXPECT_TRUE(terminal);
  engine.cells[31] = -1;
  engine.CopyPosition(engine.cells);
  engine.Evaluate(terminal);
  EXPECT_FALSE(terminal);
}

TEST(Kind1Think, SearchScoresEqualPlainMinimaxAndTheChoiceIsABestMove) {
  SeedRand(7);
  const char* rows[8] = {"..OOOO..", "X.XOXO..", ".XXXOOO.", "OOOXXO..",
                         ".OXOXXO.", "..XXOX..", "...OX...", "........"};
  for (const int depth : {2, 4}) {
    KindEngine1 engine;
    Start(engine);
    SetBoard(engine, rows);
    engine.player = 1;
    std::int8_t compact[kDiscCells];
    std::copy(engine.cells, engine.cells + kDiscCells, compact);
    int moves[kDiscCells];
    const int count = ListDiscMoves(compact, 1, moves);
    ASSERT_GT(count, 1);
    int best = -kSearchWindow;
    int scores[kDiscCells];
    for (int i = 0; i < count; ++i) {
      std::int8_t next[kDiscCells];
      std::memcpy(next, compact, sizeof next);
      PlayDisc(next, moves[i] % 8, moves[i] / 8, 1);
      scores[i] = -Minimax(next, -1, 1, depth);
      best = std::max(best, scores[i]);
    }
    const int score = engine.Think(depth);
    EXPECT_EQ(score, best) << depth;
    EXPECT_EQ(engine.player, -1);
    EXPECT_TRUE(engine.path.empty());
    bool matched = false;
    for (int i = 0; i < count; ++i) {
      std::int8_t next[kDiscCells];
      std::memcpy(next, compact, sizeof next);
      PlayDisc(next, moves[i] % 8, moves[i] / 8, 1);
      matched |= scores[i] == best && std::equal(next, next + 64, engine.cells);
    }
    EXPECT_TRUE(matched) << depth;
  }
}

TEST(Kind1Think, ALoneMoveIsPlayedWithoutSearchAndScoredByItsOutcome) {
  KindEngine1 engine;
  Start(engine);
  const char* rows[8] = {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "OOOOOOOO",
                         "OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOX."};
  SetBoard(engine, rows);
  engine.player = -1;
  // -1 fills the last square, turns (6,0) and wins 40 to 24; no depth discount.
  EXPECT_EQ(engine.Think(6), kWinScore);
  EXPECT_EQ(engine.cells[7], -1);
  EXPECT_EQ(engine.cells[6], -1);
  EXPECT_EQ(engine.player, 1);
}

// Plays a seeded game at one depth; a side without a placement passes, as the game
// screen does. Every move must be one of the generated successors.
void PlayWholeGame(int depth, unsigned seed) {
  SeedRand(seed);
  KindEngine1 engine;
  Start(engine);
  for (int ply = 0; ply < 128; ++ply) {
    const GameEnd end = CheckGameEnd(1, engine, false);
    if (end.over) {
      EXPECT_NE(end.winner, kNoWinner);
      return;
    }
    KindEngine1 probe;
    probe.CopyPosition(engine.cells);
    probe.player = engine.player;
    if (probe.GenerateSuccessors() == 0) {
      engine.player = -engine.player;
      continue;
    }
    engine.Think(depth);
    bool legal = false;
    for (const auto& s : probe.successors) legal |= std::equal(s->cells, s->cells + 64, engine.cells);
    ASSERT_TRUE(legal) << "depth " << depth << " ply " << ply;
    probe.ClearSuccessors();
  }
  FAIL() << "the game did not end";
}

TEST(Kind1SelfPlay, GamesAtEveryLevelRunToTheEnd) {
  for (const int depth : {2, 4, 6}) PlayWholeGame(depth, 100 + depth);
}

}  // namespace
}  // namespace tavlero
