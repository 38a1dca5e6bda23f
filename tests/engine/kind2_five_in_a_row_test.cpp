// Five-in-a-row: the points the engine offers, the five test, the fork templates, the
// pattern evaluation with its scan rules, the search, and whole games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "engine/gomoku_patterns.h"
#include "engine/kind_engine2.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "platform/random.h"

namespace tavlero {
namespace {

constexpr int kSide = 14;

struct Board {
  int cells[kMaxCells] = {};
  void Put(int x, int y, int code) { cells[y * kSide + x] = code; }
  void Line(int x, int y, int dx, int dy, int length, int code) {
    for (int i = 0; i < length; ++i) Put(x + dx * i, y + dy * i, code);
  }
};

int Score(const Board& board, int player, int depth = 0) {
  bool decided = false;
  const int score = EvaluateGomoku(board.cells, kSide, player, depth, decided);
  EXPECT_FALSE(decided);
  return score;
}

void Start(KindEngine2& engine) {
  engine.SetBoardSize(kSide);
  engine.SetStartPosition();
}

TEST(Kind2Moves, OnlyEmptyPointsNextToAStoneAreOfferedEachOnce) {
  KindEngine2 engine;
  Start(engine);
  EXPECT_EQ(engine.GenerateSuccessors(), 0);  // an empty board offers nothing

  engine.cells[7 * kSide + 7] = -1;
  ASSERT_EQ(engine.GenerateSuccessors(), 8);
  for (const auto& s : engine.successors) {
    EXPECT_EQ(std::count(s->cells, s->cells + kMaxCells, 1), 1);
    EXPECT_EQ(s->player, -1);
    EXPECT_EQ(s->boardSize, kSide);
  }
  // A pair of stones shares its neighbours: 10 points, none twice. Stones in a corner
  // offer only the points on the board.
  engine.cells[7 * kSide + 8] = 1;
  EXPECT_EQ(engine.GenerateSuccessors(), 10);
  Board corner;
  corner.Put(0, 0, 1);
  int moves[kMaxCells];
  ASSERT_EQ(ListOfferedPoints(corner.cells, kSide, moves), 3);
  EXPECT_EQ(moves[0], 1 * kSide + 0);  // column 0 before column 1
  EXPECT_EQ(moves[1], 0 * kSide + 1);
  EXPECT_EQ(moves[2], 1 * kSide + 1);
}

TEST(Kind2Patterns, FivesInEveryDirectionAndLongerLinesWin) {
  const std::pair<int, int> directions[] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
  for (const auto& [dx, dy] : directions) {
    Board board;
    board.Line(dx < 0 ? 9 : 3, 2, dx, dy, 5, -1);
    EXPECT_EQ(FindFive(board.cells, kSide), -1) << dx << "," << dy;
    board.Put(dx < 0 ? 9 : 3, 2, 0);
    EXPECT_EQ(FindFive(board.cells, kSide), 0) << dx << "," << dy;
  }
  Board six;
  six.Line(8, 0, 0, 1, 6, 1);  // reaches the far edge
  EXPECT_EQ(FindFive(six.cells, kSide), 1);

  KindEngine2 engine;
  Start(engine);
  std::copy(six.cells, six.cells + kMaxCells, engine.cells);
  engine.player = -1;
  engine.depth = 3;
  bool terminal = false;
  EXPECT_EQ(engine.Evaluate(terminal), -(kWinScore - 3));
  EXPECT_TRUE(terminal);
}

// Places the X cells of a template picture (5 rows of 5) at (x0, y0).
void PutTemplate(Board& board, const char* const rows[5], int x0, int y0, int code) {
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      if (rows[i][j] == 'X') board.Put(x0 + j, y0 + i, code);
    }
  }
}

// The twenty fork shapes as the rule book draws them.
const char* const kShapes[kForkTemplateCount][5] = {
    {"o..o.", ".X.X.", "..XX.", "...X.", "...oo"}, {".o..o", ".X.X.", ".XX..", ".X...", "oo..."},
    {"....o", "...X.", "..X..", "oXXXo", "o...."}, {"o....", "oXXXo", "..X..", "...X.", "....o"},
    {"oo...", ".X...", ".XX..", ".X.X.", ".o..o"}, {"...oo", "...X.", "..XX.", ".X.X.", "o..o."},
    {"....o", "oXXXo", "..X..", ".X...", "o...."}, {"o....", ".X...", "..X..", "oXXXo", "....o"},
    {"...o.", "oXXXo", "...X.", "...X.", "...o."}, {".o...", "oXXXo", ".X...", ".X...", ".o..."},
    {"...o.", "...X.", "...X.", "oXXXo", "...o."}, {".o...", ".X...", ".X...", "oXXXo", ".o..."},
    {"..o..", "..X..", "oXXXo", "..X..", "..o.."}, {".o...", ".X...", "oXXXo", ".X...", ".o..."},
    {"...o.", "...X.", "oXXXo", "...X.", "...o."}, {"o.o..", ".XX..", "..X..", "..XX.", "..o.o"},
    {"..o.o", "..XX.", "..X..", ".XX..", "o.o.."}, {"o....", ".X...", "oXXXo", "...X.", "....o"},
    {"....o", "...X.", "oXXXo", ".X...", "o...."}, {"o...o", ".X.X.", "..X..", ".X.X.", "o...o"},
};

TEST(Kind2Patterns, EachForkShapeIsItsOwnTemplateAndWorth8000) {
  for (int t = 0; t < kForkTemplateCount; ++t) {
    Board board;
    PutTemplate(board, kShapes[t], 4, 4, 1);
    EXPECT_EQ(MatchForkTemplate(board.cells, kSide, 4, 4, 1), t + 1);
    EXPECT_EQ(ForkInSquare(board.cells, kSide, 5, 4), 0) << t + 1;  // must fit the square
    Board mirrored;
    PutTemplate(mirrored, kShapes[t], 4, 4, -1);
    EXPECT_EQ(ForkInSquare(mirrored.cells, kSide, 4, 4), -1) << t + 1;
    // A stone on an open end spoils the shape; side -1 alone may have its own there.
    for (int i = 0; i < 5; ++i) {
      for (int j = 0; j < 5; ++j) {
        if (kShapes[t][i][j] != 'o') continue;
        for (const int code : {1, -1}) {
          Board spoiled = board;
          spoiled.Put(4 + j, 4 + i, code);
          EXPECT_NE(MatchForkTemplate(spoiled.cells, kSide, 4, 4, 1), t + 1) << t + 1;
        }
        mirrored.Put(4 + j, 4 + i, -1);
      }
    }
    EXPECT_EQ(MatchForkTemplate(mirrored.cells, kSide, 4, 4, -1), t + 1);
  }
  // A single fork far from every other pattern: the fork term alone, for either side
  // to move (the shape's own lines add nothing once a fork made the sum non-zero).
  Board cross;
  PutTemplate(cross, kShapes[12], 4, 4, -1);
  int forks = 0;
  for (int y0 = 0; y0 < kSide - 5; ++y0) {
    for (int x0 = 0; x0 < kSide - 5; ++x0) forks += ForkInSquare(cross.cells, kSide, x0, y0);
  }
  EXPECT_EQ(forks, -1);
  EXPECT_EQ(Score(cross, 1), -8000);
  EXPECT_EQ(Score(cross, -1), 8000);
}

TEST(Kind2Evaluation, PatternWeightsAsSeenByTheSideToMove) {
  Board three;
  three.Line(5, 7, 1, 0, 3, 1);  // open three in a row
  // Seen by +1 the row also holds two open twos, whose ends may be its own stones.
  EXPECT_EQ(Score(three, 1), 1000 + 2 * 20);
  EXPECT_EQ(Score(three, -1), -1000);
  EXPECT_EQ(Score(three, 1, 3), 1037);  // depth discount
  EXPECT_EQ(Score(three, 1, 2000), 0);  // small scores within the depth count as nothing

  // An open four is worth 10000 and stops the scan for the lesser patterns.
  Board four;
  four.Line(3, 4, 0, 1, 4, -1);
  EXPECT_EQ(Score(four, 1), -10000);

  // A four closed at one end: closed four 9000 plus plain four 10.
  Board closed;
  closed.Line(1, 9, 1, 1, 4, 1);
  closed.Put(0, 8, -1);
  EXPECT_EQ(Score(closed, 1), 9010);

  // Open twos: along a row an end may hold a stone of the side to move.
  Board two;
  two.Put(3, 5, 1);
  two.Line(4, 5, 1, 0, 2, -1);
  EXPECT_EQ(Score(two, 1), -20);
  EXPECT_EQ(Score(two, -1), 0);
  Board column;
  column.Put(5, 3, 1);
  column.Line(5, 4, 0, 1, 2, -1);
  EXPECT_EQ(Score(column, 1), 0);
  EXPECT_EQ(Score(column, -1), 0);
  column.Put(5, 3, 0);
  EXPECT_EQ(Score(column, 1), -20);
}

TEST(Kind2Evaluation, AnOpenFourThatTurnsTheSumNegativeEndsTheScanOfItsLine) {
  // Row 2 holds an open four of -1 and then one of +1; the side to move is +1.
  Board board;
  board.Line(1, 2, 1, 0, 4, -1);
  board.Line(8, 2, 1, 0, 4, 1);
  EXPECT_EQ(Score(board, 1), -10000);
  // In the other order the running sum never goes below zero, so both fours count
  // and cancel, as do the closed and plain fours; what is left are the three open
  // twos along the row that only the side to move may end on its own stones.
  Board swapped;
  swapped.Line(1, 2, 1, 0, 4, 1);
  swapped.Line(8, 2, 1, 0, 4, -1);
  EXPECT_EQ(Score(swapped, 1), 3 * 20);
}

TEST(Kind2Evaluation, CompactCellsScoreExactlyLikeEngineCells) {
  SeedRand(3);
  for (int trial = 0; trial < 200; ++trial) {
    Board board;
    std::int8_t compact[kMaxCells] = {};
    const int stones = 10 + RandomBelow(60);
    for (int i = 0; i < stones; ++i) {
      const int cell = RandomBelow(kSide * kSide);
      board.cells[cell] = compact[cell] = static_cast<std::int8_t>(RandomBelow(2) ? 1 : -1);
    }
    for (const int player : {1, -1}) {
      bool a = false, b = false;
      ASSERT_EQ(EvaluateGomoku(board.cells, kSide, player, trial % 3, a),
                EvaluateGomoku(compact, kSide, player, trial % 3, b));
      ASSERT_EQ(a, b);
    }
  }
}

TEST(Kind2Think, TheSearchCompletesItsOwnFiveAndBlocksTheOpponentsFive) {
  SeedRand(11);
  KindEngine2 engine;
  Start(engine);
  for (int x = 5; x <= 8; ++x) engine.cells[6 * kSide + x] = 1;
  engine.cells[9 * kSide + 3] = -1;
  engine.cells[9 * kSide + 4] = -1;
  engine.player = 1;
  // Either end completes the five; the win one ply below the root scores 1e9 - 1.
  EXPECT_EQ(engine.Think(2), kWinScore - 1);
  EXPECT_EQ(FindFive(engine.cells, kSide), 1);
  EXPECT_EQ(engine.player, -1);

  Start(engine);
  for (int y = 3; y <= 6; ++y) engine.cells[y * kSide + 10] = -1;
  engine.cells[2 * kSide + 10] = 1;  // closed at one end: only (10, 7) blocks
  engine.cells[12 * kSide + 2] = 1;
  engine.player = 1;
  EXPECT_GT(engine.Think(2), -kWinScore + 10);
  EXPECT_EQ(engine.cells[7 * kSide + 10], 1);
}

TEST(Kind2SelfPlay, SeededGamesRunToTheEnd) {
  for (const unsigned seed : {1u}) {
    SeedRand(seed);
    KindEngine2 engine;
    Start(engine);
    PlaceCentreStone(engine, -1);  // an opening stone, here of side -1 with +1 to move
    bool ended = false;
    for (int ply = 0; ply < kSide * kSide && !ended; ++ply) {
      KindEngine2 probe;
      probe.SetBoardSize(kSide);
      probe.CopyPosition(engine.cells);
      probe.player = engine.player;
      ASSERT_GT(probe.GenerateSuccessors(), 0);
      engine.Think(2);
      bool legal = false;
      for (const auto& s : probe.successors) legal |= std::equal(s->cells, s->cells + kMaxCells, engine.cells);
      ASSERT_TRUE(legal) << "ply " << ply;
      const GameEnd end = CheckGameEnd(2, engine, false);
      ended = end.over;
      if (ended) {
        EXPECT_NE(end.winner, kNoWinner);
      }
    }
    EXPECT_TRUE(ended);
  }
}

}  // namespace
}  // namespace tavlero
