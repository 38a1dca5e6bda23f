// The end of a board game: winner codes per kind, blocked sides, the disc game's two
// endings and its tie rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/gomoku_patterns.h"
#include "engine/kind_engines.h"
#include "game/board_geometry.h"
#include "game/game_end.h"

namespace tavlero {
namespace {

std::unique_ptr<SearchEngine> EmptyBoard(int kind, int player) {
  auto engine = CreateKindEngine(kind);
  engine->SetBoardSize(KindBoardSize(kind));
  engine->SetStartPosition();
  std::fill(std::begin(engine->cells), std::end(engine->cells), 0);
  engine->player = player;
  return engine;
}

// Disc board text, top line = row 7.
std::unique_ptr<SearchEngine> DiscBoard(const char* rows[8], int player) {
  auto engine = EmptyBoard(1, player);
  for (int line = 0; line < 8; ++line) {
    for (int x = 0; x < 8; ++x) {
      const char c = rows[line][x];
      engine->cells[(7 - line) * 8 + x] = c == 'X' ? 1 : (c == 'O' ? -1 : 0);
    }
  }
  return engine;
}

constexpr GameEnd kOpen{};
constexpr GameEnd kFirst{true, kFirstSideWon};
constexpr GameEnd kSecond{true, kSecondSideWon};

TEST(GameEnd, DraughtsKindsWinnerWhenASideHasNoPieces) {
  for (const int kind : {0, 3, 5, 6, 7}) {
    const bool inverted = kind == 5 || kind == 6;
    const int square = kind == 7 ? 3 * 8 + 3 : DarkSquareAt(3, 3);
    auto onlyPlus = EmptyBoard(kind, -1);
    onlyPlus->cells[square] = 1;
    EXPECT_EQ(CheckGameEnd(kind, *onlyPlus, false), inverted ? kSecond : kFirst) << kind;
    auto onlyMinus = EmptyBoard(kind, 1);
    onlyMinus->cells[square] = -2;
    EXPECT_EQ(CheckGameEnd(kind, *onlyMinus, false), inverted ? kFirst : kSecond) << kind;
  }
}

TEST(GameEnd, DraughtsKindsABlockedSideToMoveLoses) {
  // A man of side -1 stuck on the far edge; side +1 has a free man.
  for (const int kind : {0, 3, 5, 6}) {
    auto engine = CreateKindEngine(kind);
    engine->SetBoardSize(8);
    engine->SetStartPosition();
    std::fill(std::begin(engine->cells), std::end(engine->cells), 0);
    engine->cells[DarkSquareAt(7, 7)] = -1;
    engine->cells[DarkSquareAt(2, 4)] = 1;
    engine->player = -1;
    EXPECT_EQ(CheckGameEnd(kind, *engine, false), kFirst) << kind;
    engine->player = 1;
    EXPECT_EQ(CheckGameEnd(kind, *engine, false), kOpen) << kind;
    EXPECT_EQ(engine->cells[DarkSquareAt(7, 7)], -1);
    EXPECT_TRUE(engine->successors.empty());
  }
  // Kind 7: a man of side -1 in the top corner, hemmed in by two men of side +1.
  auto engine = EmptyBoard(7, -1);
  engine->cells[7 * 8 + 0] = -1;
  engine->cells[7 * 8 + 1] = 1;
  engine->cells[7 * 8 + 2] = 1;
  EXPECT_EQ(CheckGameEnd(7, *engine, false), kFirst);
}

TEST(GameEnd, DiscGameFullBoardTieFollowsTheFirstMoveFlag) {
  const char* tie[8] = {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                        "OOOOOOOO", "OOOOOOOO", "OOOOOOOO", "OOOOOOOO"};
  auto engine = DiscBoard(tie, 1);
  EXPECT_EQ(CheckGameEnd(1, *engine, true), kFirst);
  EXPECT_EQ(CheckGameEnd(1, *engine, false), kSecond);
  engine->cells[0] = 1;  // 33 to 31: the count decides whatever the flag
  EXPECT_EQ(CheckGameEnd(1, *engine, false), kFirst);
  engine->cells[0] = -1;
  engine->cells[63] = -1;
  EXPECT_EQ(CheckGameEnd(1, *engine, true), kSecond);
}

TEST(GameEnd, DiscGameEndsOnlyWhenBothSidesAreBlocked) {
  // Neither side can close a run: equal counts always go to side -1.
  const char* stuck[8] = {"X.......", "........", "........", "........",
                          "........", "........", "........", ".......O"};
  auto engine = DiscBoard(stuck, 1);
  EXPECT_EQ(CheckGameEnd(1, *engine, true), kSecond);
  EXPECT_EQ(CheckGameEnd(1, *engine, false), kSecond);
  engine->cells[7 * 8 + 7] = 1;
  EXPECT_EQ(CheckGameEnd(1, *engine, true), kFirst);

  // Side -1 must pass but side +1 can still place: the game goes on.
  const char* pass[8] = {"XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                         "XXXXXXXX", "XXXXXXXX", "XXXXXXX.", "XXXXXXO."};
  engine = DiscBoard(pass, -1);
  EXPECT_EQ(CheckGameEnd(1, *engine, false), kOpen);

  // A side without discs has lost at once.
  const char* wiped[8] = {"........", "........", "........", "...XX...",
                          "...XX...", "........", "........", "........"};
  engine = DiscBoard(wiped, 1);
  EXPECT_EQ(CheckGameEnd(1, *engine, false), kFirst);
}

TEST(GameEnd, FiveInARowAndAFullBoard) {
  auto engine = EmptyBoard(2, 1);
  EXPECT_EQ(CheckGameEnd(2, *engine, false), kOpen);  // not started yet
  for (int i = 0; i < 4; ++i) engine->cells[(2 + i) * 14 + 9 - i] = -1;
  EXPECT_EQ(CheckGameEnd(2, *engine, false), kOpen);
  engine->cells[6 * 14 + 5] = -1;
  EXPECT_EQ(CheckGameEnd(2, *engine, false), kSecond);

  // A full board in a pattern without five in any line: over, without a winner.
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 14; ++x) engine->cells[y * 14 + x] = (x + 2 * y) % 4 < 2 ? 1 : -1;
  }
  ASSERT_EQ(FindFive(engine->cells, 14), 0);
  EXPECT_EQ(CheckGameEnd(2, *engine, false), (GameEnd{true, kNoWinner}));
}

TEST(GameEnd, ConnectionGameAndKindsWithoutBoardRules) {
  auto engine = EmptyBoard(4, 1);
  for (int i = 0; i < 11; ++i) engine->cells[i * 11 + 10 - i] = 1;  // not neighbours
  EXPECT_EQ(CheckGameEnd(4, *engine, false), kOpen);
  for (int r = 0; r < 11; ++r) engine->cells[r * 11 + 3] = 1;
  EXPECT_EQ(CheckGameEnd(4, *engine, false), kFirst);
  engine = EmptyBoard(4, 1);
  for (int c = 0; c < 11; ++c) engine->cells[7 * 11 + c] = -1;
  EXPECT_EQ(CheckGameEnd(4, *engine, false), kSecond);
  EXPECT_EQ(CheckGameEnd(8, *engine, false), kOpen);
  EXPECT_EQ(CheckGameEnd(-1, *engine, false), kOpen);
}

}  // namespace
}  // namespace tavlero
