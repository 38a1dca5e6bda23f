// What the board comes back to after the demonstration: the disc game keeps the
// computer's answer once however often the demonstration starts (and with two players
// every disc is one stored position), and a decided game of the stone kinds comes
// back over instead of taking more stones.
#include <gtest/gtest.h>

#include <memory>

#include "engine/kind_engines.h"
#include "game/cell_codes.h"
#include "game/game_history.h"
#include "game_test_support.h"

namespace tavlero::game_test {
namespace {

void ClickControl(RunningGame& run, const OControl& control) {
  run.Click(static_cast<int>(control.x) + control.width / 2, static_cast<int>(control.y) + control.height / 2);
}

// Puts down the first disc the rules allow the side to move.
void PlayFirstDisc(RunningGame& run) {
  const SearchEngine& board = *run.Game().Engine();
  std::unique_ptr<SearchEngine> scratch = StartKindEngine(1);
  scratch->CopyPosition(board.cells);
  scratch->player = board.player;
  ASSERT_GT(scratch->GenerateSuccessors(), 0);
  for (int i = 0; i < board.totalCells; ++i) {
    if (board.cells[i] == kEmptyCell && scratch->successors[0]->cells[i] != kEmptyCell) {
      run.ClickCell(CellOfIndex(1, board.boardSize, i));
      break;
    }
  }
  ASSERT_TRUE(run.Settle());
  run.Tick();
}

int StoredSide(GameHistory& history, int number) {
  std::unique_ptr<SearchEngine> engine = StartKindEngine(1);
  history.Restore(number, *engine);
  return engine->player;
}

TEST(DemoReturn, TheDiscGameKeepsTheComputersAnswerOnceHoweverOftenTheDemonstrationRuns) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(1));
  RunningGame run;
  OGameScreen& game = run.Game();
  PlayFirstDisc(run);  // stored; the computer's answer is not yet
  ASSERT_EQ(game.history.latest, 1);
  for (int round = 0; round < 3; ++round) {
    ClickControl(run, *game.DemoButton());
    ASSERT_TRUE(game.DemoRunning());
    run.window->OnKeyDown(27, 0);
    ASSERT_FALSE(game.DemoRunning());
    run.Tick();
  }
  EXPECT_EQ(game.history.latest, 2) << "the computer's answer is stored once";
  EXPECT_EQ(StoredSide(game.history, 2), -StoredSide(game.history, 1));
}

TEST(DemoReturn, WithTwoPlayersEveryDiscIsOneStoredPositionAndUndoTakesOneBack) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(1, true, /*twoPlayers=*/true));
  RunningGame run;
  OGameScreen& game = run.Game();
  for (int move = 1; move <= 4; ++move) {
    PlayFirstDisc(run);
    EXPECT_EQ(game.history.latest, move);
  }
  const int sideBefore = game.Engine()->player;
  ClickControl(run, *game.UndoButton());
  EXPECT_EQ(game.history.current, 3);
  EXPECT_EQ(game.Engine()->player, -sideBefore) << "the last disc is taken back";
}

TEST(DemoReturn, ADecidedStoneGameComesBackOverAndTakesNoMoreStones) {
  for (const int kind : {2, 4}) {
    WorkingFolder folder;
    // A saved game already won by side +1: five in a row, or a chain from the top row
    // to the bottom row; side -1 would be to move.
    std::unique_ptr<SearchEngine> won = StartKindEngine(kind);
    const int n = won->boardSize;
    for (int i = 0; i < (kind == 2 ? 5 : n); ++i) won->cells[kind == 2 ? i : i * n] = 1;
    won->player = -1;
    GameHistory saved;
    saved.Clear();
    saved.Store(1, *won);
    saved.latest = 1;
    ASSERT_TRUE(saved.Save(GameHistory::FileName(kind)));
    WriteOptions(OptionsFor(kind));
    RunningGame run;
    OGameScreen& game = run.Game();
    run.Tick();
    EXPECT_TRUE(game.BannerShown()) << "kind " << kind << " resumed";
    ClickControl(run, *game.DemoButton());
    ASSERT_TRUE(game.DemoRunning());
    run.Tick(40);
    run.window->OnKeyDown(27, 0);
    run.Tick();
    EXPECT_TRUE(game.BannerShown()) << "kind " << kind << " after the demonstration";
    EXPECT_EQ(game.winner, 1);
    const int corner = (n - 1) * n + n - 1;
    run.ClickCell({n - 1, n - 1});
    EXPECT_EQ(game.Engine()->cells[corner], kEmptyCell) << "kind " << kind;
  }
}

}  // namespace
}  // namespace tavlero::game_test
