// The connection game: neighbourhood and the connection test, the connection distance
// with bridges and edge templates, the search's choice for either side, whole games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "engine/hex_connection.h"
#include "engine/kind_engine4.h"
#include "game/game_end.h"
#include "platform/random.h"

namespace tavlero {
namespace {

constexpr int kSide = 11;

struct Board {
  int cells[kMaxCells] = {};
  void Put(int row, int column, int code) { cells[row * kSide + column] = code; }
  void PutAll(std::initializer_list<std::pair<int, int>> cells, int code) {
    for (const auto& [row, column] : cells) Put(row, column, code);
  }
};

void Start(KindEngine4& engine) {
  engine.SetBoardSize(kSide);
  engine.SetStartPosition();
}

int Evaluate(const Board& board, int player, int depth = 0) {
  bool decided = false;
  return EvaluateHex(board.cells, kSide, player, depth, decided);
}

TEST(Kind4Rules, ChainsConnectOnlyThroughTheSixNeighbours) {
  Board column, diagonal, antiDiagonal, row;
  for (int i = 0; i < kSide; ++i) {
    column.Put(i, 5, 1);
    diagonal.Put(i, i, 1);               // (r+1, c+1) touches (r, c)
    antiDiagonal.Put(i, kSide - 1 - i, 1);  // (r+1, c-1) does not
    row.Put(3, i, -1);
  }
  EXPECT_EQ(HexConnectedSide(column.cells, kSide), 1);
  EXPECT_EQ(HexConnectedSide(diagonal.cells, kSide), 1);
  EXPECT_EQ(HexConnectedSide(antiDiagonal.cells, kSide), 0);
  EXPECT_EQ(HexConnectedSide(row.cells, kSide), -1);
  row.Put(3, 6, 0);
  // Around the gap through the row below: (3,5) touches (4,6), and (4,7) touches (3,7);
  // (4,6) does not touch (3,7).
  row.PutAll({{4, 6}, {4, 7}}, -1);
  EXPECT_EQ(HexConnectedSide(row.cells, kSide), -1);
  row.Put(4, 7, 0);
  EXPECT_EQ(HexConnectedSide(row.cells, kSide), 0);
}

TEST(Kind4Moves, EveryEmptyCellColumnByColumn) {
  KindEngine4 engine;
  Start(engine);
  EXPECT_EQ(engine.GenerateSuccessors(), kSide * kSide);
  EXPECT_EQ(engine.successors[1]->cells[1 * kSide + 0], 1);  // (row 1, column 0) second
  engine.cells[0] = -1;
  ASSERT_EQ(engine.GenerateSuccessors(), kSide * kSide - 1);
  EXPECT_EQ(engine.successors[0]->cells[1 * kSide + 0], 1);
  EXPECT_EQ(engine.successors[0]->player, -1);
  EXPECT_EQ(engine.successors[0]->boardSize, kSide);
}

TEST(Kind4Distance, EmptyBoard) {
  Board board;
  const HexDistance d = MeasureConnection(MakeHexGrid(board.cells, kSide, -1));
  // Eleven cells to fill; the near templates reach column 3 at level 1, each level
  // adds a column, and the far template from column 7 closes at level 5.
  EXPECT_EQ(d.plain, 11);
  EXPECT_EQ(d.level, 5);
  EXPECT_EQ(Evaluate(board, 1), -16000);
  EXPECT_EQ(Evaluate(board, -1), -16000);
}

TEST(Kind4Distance, BridgesAndEdgeTemplatesMakeALevelZeroConnection) {
  // Side -1 joins columns: a stone in each even column, every pair a bridge.
  Board bridges;
  bridges.PutAll({{5, 0}, {6, 2}, {7, 4}, {8, 6}, {9, 8}, {10, 10}}, -1);
  HexDistance d = MeasureConnection(MakeHexGrid(bridges.cells, kSide, -1));
  EXPECT_EQ(d.plain, 5);
  EXPECT_EQ(d.level, 0);
  EXPECT_EQ(Evaluate(bridges, -1), 100000000 - 500);
  // A stone of the other side on one carrier of (7,4)-(8,6) must be answered: one
  // level more, the same number of cells to fill.
  bridges.Put(7, 5, 1);
  d = MeasureConnection(MakeHexGrid(bridges.cells, kSide, -1));
  EXPECT_EQ(d.level, 1);
  EXPECT_EQ(d.plain, 5);
  EXPECT_EQ(Evaluate(bridges, -1), -1000 - 5000);
  bridges.Put(8, 5, 1);  // both carriers taken: the way round costs three cells
  EXPECT_EQ(MeasureConnection(MakeHexGrid(bridges.cells, kSide, -1)).plain, 7);

  // The same shape turned for side +1, which joins rows.
  Board turned;
  turned.PutAll({{0, 5}, {2, 6}, {4, 7}, {6, 8}, {8, 9}, {10, 10}}, 1);
  EXPECT_EQ(Evaluate(turned, 1), 100000000 - 500);

  // A chain that is safe towards both edges only through the four-row edge templates:
  // a stone on column 3 and one on column 7 with bridges between them.
  Board templates;
  templates.PutAll({{5, 3}, {4, 4}, {3, 5}, {2, 6}, {3, 7}}, -1);
  d = MeasureConnection(MakeHexGrid(templates.cells, kSide, -1));
  EXPECT_EQ(d.plain, 9);
  EXPECT_EQ(d.level, 0);
  EXPECT_EQ(Evaluate(templates, -1), 100000000 - 900);
  templates.Put(1, 0, 1);  // intrudes into the near template: level 1 at best
  d = MeasureConnection(MakeHexGrid(templates.cells, kSide, -1));
  EXPECT_EQ(d.plain, 9);
  EXPECT_EQ(d.level, 1);
  EXPECT_EQ(Evaluate(templates, -1), -1000 - 9000);
}

TEST(Kind4Evaluation, DecidedBoardsAndTheRootSidesView) {
  Board won;
  for (int r = 0; r < kSide; ++r) won.Put(r, 2, 1);
  bool decided = false;
  EXPECT_EQ(EvaluateHex(won.cells, kSide, 1, 0, decided), kWinScore);
  EXPECT_TRUE(decided);
  EXPECT_EQ(EvaluateHex(won.cells, kSide, -1, 0, decided), -kWinScore);
  // One ply below the root the side that has just moved is the root's side.
  EXPECT_EQ(EvaluateHex(won.cells, kSide, -1, 1, decided), kWinScore - 1);
  EXPECT_EQ(EvaluateHex(won.cells, kSide, 1, 1, decided), -(kWinScore - 1));

  SeedRand(5);
  for (int trial = 0; trial < 100; ++trial) {
    Board board;
    std::int8_t compact[kMaxCells] = {};
    for (int i = 0; i < 40; ++i) {
      const int cell = RandomBelow(kSide * kSide);
      board.cells[cell] = compact[cell] = static_cast<std::int8_t>(i % 2 ? 1 : -1);
    }
    bool a = false, b = false;
    ASSERT_EQ(EvaluateHex(board.cells, kSide, trial % 2 ? 1 : -1, trial % 3, a),
              EvaluateHex(compact, kSide, trial % 2 ? 1 : -1, trial % 3, b));
    ASSERT_EQ(a, b);
  }
}

TEST(Kind4Think, EitherSideTakesItsWinningCellAndBlocksTheOpponents) {
  SeedRand(9);
  KindEngine4 engine;
  Start(engine);
  for (int r = 0; r < kSide; ++r) engine.cells[r * kSide + 4] = r == 6 ? 0 : 1;
  engine.player = 1;
  EXPECT_EQ(engine.Think(1), -(kWinScore - 1));
  EXPECT_EQ(engine.cells[6 * kSide + 4], 1);
  EXPECT_EQ(engine.player, -1);

  // Side -1 to move (the demonstration plays both sides) finishes its own row.
  Start(engine);
  for (int c = 0; c < kSide; ++c) engine.cells[8 * kSide + c] = c == 3 ? 0 : -1;
  engine.player = -1;
  EXPECT_EQ(engine.Think(1), -(kWinScore - 1));
  EXPECT_EQ(engine.cells[8 * kSide + 3], -1);
  EXPECT_EQ(HexConnectedSide(engine.cells, kSide), -1);

  // Side +1 with nothing of its own stops the row one cell short of joining.
  Start(engine);
  for (int c = 0; c < kSide; ++c) engine.cells[5 * kSide + c] = c == 5 ? 0 : -1;
  engine.player = 1;
  engine.Think(1);
  EXPECT_EQ(engine.cells[5 * kSide + 5], 1);
}

TEST(Kind4SelfPlay, SeededGamesEndWithAConnection) {
  for (const unsigned seed : {4u, 8u}) {
    SeedRand(seed);
    KindEngine4 engine;
    Start(engine);
    int winner = 0;
    for (int ply = 0; ply < kSide * kSide && winner == 0; ++ply) {
      KindEngine4 probe;
      probe.SetBoardSize(kSide);
      probe.CopyPosition(engine.cells);
      probe.player = engine.player;
      ASSERT_GT(probe.GenerateSuccessors(), 0);
      engine.Think(1);
      bool legal = false;
      for (const auto& s : probe.successors) legal |= std::equal(s->cells, s->cells + kMaxCells, engine.cells);
      ASSERT_TRUE(legal) << "ply " << ply;
      winner = CheckGameEnd(4, engine, false).winner;
    }
    EXPECT_NE(winner, kNoWinner);
  }
}

}  // namespace
}  // namespace tavlero
