// A flying king's capture that ends on the square it started from: the move is
// animated along its path, the captured pieces fade and go, and the move is stored
// when it lands, like any other. The human makes it by picking the king up and
// clicking it again.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/kind_engines.h"
#include "game/board_geometry.h"
#include "game/cell_codes.h"
#include "game/game_history.h"
#include "game_test_support.h"

namespace tavlero::game_test {
namespace {

// Side +1's king on (2, 2) can only take the four men round it, either way round, and
// land where it began: its own men close every other landing. For side -1 the board
// is turned half round.
std::unique_ptr<SearchEngine> RoundTripPosition(int side) {
  std::unique_ptr<SearchEngine> position = StartKindEngine(3);
  std::fill(std::begin(position->cells), std::end(position->cells), 0);
  auto put = [&](int column, int row, int code) {
    if (side < 0) column = 7 - column, row = 7 - row;
    position->cells[CellIndex(3, 8, column, row)] = code * side;
  };
  put(2, 2, 2);
  for (const auto& [column, row] : {std::pair{5, 5}, {7, 1}, {1, 3}, {3, 5}, {7, 3}, {1, 1}}) put(column, row, 1);
  for (const auto& [column, row] : {std::pair{3, 3}, {5, 3}, {5, 1}, {3, 1}, {0, 6}}) put(column, row, -1);
  position->player = side;
  return position;
}

// The game of kind 3 is saved at `position`, one human against the computer.
void SaveAsTheGame(const SearchEngine& position) {
  GameHistory saved;
  saved.Clear();
  saved.Store(1, position);
  saved.latest = 1;
  ASSERT_TRUE(saved.Save(GameHistory::FileName(3)));
  WriteOptions(OptionsFor(3));
}

TEST(CircularCapture, TheComputersKingGoesRoundAndComesBackWithTheCapturedPiecesGone) {
  WorkingFolder folder;
  SaveAsTheGame(*RoundTripPosition(1));

  RunningGame run;  // resumes with the computer to move, which moves at once
  OGameScreen& game = run.Game();
  EXPECT_TRUE(game.busy) << "the capture is animated";
  ASSERT_TRUE(run.Settle());
  run.Tick();
  const SearchEngine& board = *game.Engine();
  EXPECT_EQ(board.cells[CellIndex(3, 8, 2, 2)], 2);
  EXPECT_EQ(CountPieces(board.cells, board.totalCells, -1), 1);
  EXPECT_EQ(game.history.latest, 2) << "the computer's move is stored when it lands";
  // The pieces drawn: sprites showing a piece picture, one per piece left (seven of
  // side +1, one of side -1).
  std::vector<const void*> piecePixels;
  for (int picture = 0; picture < 11; ++picture) piecePixels.push_back(game.PiecePicture(picture)->frames[0]->Store());
  const auto& sprites = game.Sprites();
  EXPECT_EQ(std::count_if(sprites.begin(), sprites.end(),
                          [&](const OSprite* sprite) {
                            return !sprite->frames.empty() &&
                                   std::count(piecePixels.begin(), piecePixels.end(), sprite->frames[0]->Store()) > 0;
                          }),
            8)
      << "no captured piece is left drawn";
}

// The human (side -1) to move: the king's round trip is its only capture, so the game
// could not go on unless the human can make it by clicks.
TEST(CircularCapture, TheHumanPicksTheKingUpAndClicksItAgain) {
  WorkingFolder folder;
  const std::unique_ptr<SearchEngine> start = RoundTripPosition(-1);
  ASSERT_GT(start->GenerateSuccessors(), 0);
  for (const auto& successor : start->successors) {
    ASSERT_EQ(successor->cells[CellIndex(3, 8, 5, 5)], -2) << "every move is the king's round trip";
  }
  start->ClearSuccessors();
  SaveAsTheGame(*start);

  RunningGame run;
  OGameScreen& game = run.Game();
  ASSERT_FALSE(game.busy);
  run.ClickCell({5, 5});
  EXPECT_EQ(game.selectedCell, (BoardCell{5, 5})) << "the king may be picked up";
  run.ClickCell({5, 5});
  EXPECT_TRUE(game.busy) << "the capture is animated";
  const SearchEngine& board = *game.Engine();
  EXPECT_EQ(board.cells[CellIndex(3, 8, 5, 5)], -2);
  EXPECT_EQ(CountPieces(board.cells, board.totalCells, 1), 1);
  EXPECT_EQ(game.history.latest, 2) << "the human's move is stored";
  ASSERT_TRUE(run.Settle());
  run.Tick();
  EXPECT_TRUE(game.history.latest >= 3 || game.gameOver) << "and the game goes on";
}

}  // namespace
}  // namespace tavlero::game_test
