// Undo, the demonstration, the disc game's pass and the computer's openings, played
// through the real screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/kind_engines.h"
#include "game/cell_codes.h"
#include "game/game_end.h"
#include "game_test_support.h"
#include "ui/disc_play.h"

namespace tavlero::game_test {
namespace {

std::vector<int> Cells(const SearchEngine& engine) { return {engine.cells, engine.cells + engine.totalCells}; }

// Plays the human's move c3-d4 of kind 0 (or any first legal move) and lets the
// computer answer.
void PlayOneDraughtsRound(RunningGame& run) {
  SearchEngine& board = *run.Game().Engine();
  auto scratch = StartKindEngine(run.Game().Kind());
  scratch->CopyPosition(board.cells);
  scratch->player = board.player;
  ASSERT_GT(scratch->GenerateSuccessors(), 0);
  const int* after = scratch->successors.front()->cells;
  BoardCell from, to;
  for (int i = 0; i < 32; ++i) {
    if (BelongsTo(board.cells[i], -1) && !BelongsTo(after[i], -1)) from = CellOfIndex(0, 8, i);
    if (!BelongsTo(board.cells[i], -1) && BelongsTo(after[i], -1)) to = CellOfIndex(0, 8, i);
  }
  run.ClickCell(from);
  run.ClickCell(to);
  ASSERT_TRUE(run.Settle());
}

TEST(Undo, OneHumanGoesBackTwoPositionsAndBelowThreeRestartsWithTheHuman) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0));
  RunningGame run;
  OGameScreen& game = run.Game();
  const std::vector<int> start = Cells(*game.Engine());
  PlayOneDraughtsRound(run);
  const std::vector<int> afterFirstRound = Cells(*game.Engine());
  PlayOneDraughtsRound(run);
  ASSERT_EQ(game.history.latest, 4);
  ASSERT_TRUE(game.options.undoVisible);

  run.Click(605 + 95, 379 + 23);  // the undo button
  EXPECT_EQ(game.history.current, 2);
  EXPECT_EQ(game.history.latest, 2);
  EXPECT_EQ(Cells(*game.Engine()), afterFirstRound);
  EXPECT_EQ(game.Engine()->player, -1);

  run.Click(605 + 95, 379 + 23);  // two positions left: the game restarts
  EXPECT_EQ(game.history.current, 0);
  EXPECT_EQ(Cells(*game.Engine()), start);
  EXPECT_EQ(game.Engine()->player, -1);
}

TEST(Demonstration, AKeyOrABoardClickStopsItAndBringsBackTheGameAsLastStored) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0));
  RunningGame run;
  OGameScreen& game = run.Game();
  PlayOneDraughtsRound(run);
  const std::vector<int> real = Cells(*game.Engine());
  const int stored = game.history.latest;

  for (const bool byKey : {true, false}) {
    run.effects.played.clear();
    run.Click(605 + 95, 178 + 23);  // the demonstration button
    ASSERT_TRUE(game.DemoRunning());
    EXPECT_FALSE(game.options.undoVisible);
    run.Tick(200);  // several demonstration moves, animated
    ASSERT_TRUE(run.Settle());
    EXPECT_NE(Cells(*game.Engine()), real);
    EXPECT_EQ(game.history.latest, stored) << "nothing is stored during the demonstration";
    // Only the button's own click is heard: the demonstration's moves are silent.
    EXPECT_EQ(run.effects.played, std::vector<int>{effect::kClick});
    if (byKey) {
      run.window->OnKeyDown('A', 0);
    } else {
      run.Click(300, 300);
    }
    EXPECT_FALSE(game.DemoRunning());
    EXPECT_EQ(Cells(*game.Engine()), real);
    EXPECT_EQ(game.Engine()->player, -1);
    EXPECT_TRUE(game.options.undoVisible);
  }
}

// A disc-game position, reached by seeded random play, where the computer (side +1)
// is to move and the human will have no place for a disc after its answer.
bool FindPassPosition(int seed, std::vector<int>& cells) {
  SeedRand(seed);
  auto engine = StartKindEngine(1);
  engine->player = -1;
  for (int ply = 0; ply < 80; ++ply) {
    if (engine->GenerateSuccessors() == 0) {
      engine->ClearSuccessors();
      engine->player = -engine->player;
      continue;
    }
    const int pick = RandomBelow(static_cast<int>(engine->successors.size()));
    int next[kMaxCells];
    std::copy(std::begin(engine->successors[pick]->cells), std::end(engine->successors[pick]->cells), next);
    engine->ClearSuccessors();
    engine->CopyPosition(next);
    engine->player = -engine->player;
    if (engine->player != 1) continue;
    auto trial = StartKindEngine(1);
    trial->CopyPosition(engine->cells);
    trial->player = 1;
    const int before = CountPieces(trial->cells, 64, 1) + CountPieces(trial->cells, 64, -1);
    if (trial->Think(SearchDepth(1, 0)) == -kWinScore) continue;
    trial->ClearSuccessors();
    const bool humanBlocked = trial->GenerateSuccessors() == 0;
    trial->ClearSuccessors();
    trial->player = 1;
    const bool computerCanGoOn = trial->GenerateSuccessors() > 0;
    trial->ClearSuccessors();
    if (humanBlocked && computerCanGoOn && before < 62) {
      cells.assign(engine->cells, engine->cells + 64);
      return true;
    }
  }
  return false;
}

TEST(DiscGame, AHumanWithoutAMoveSeesTheNoticeAndTheComputerMovesAgain) {
  std::vector<int> cells;
  int seed = 1;
  while (!FindPassPosition(seed, cells)) ASSERT_LT(++seed, 400);
  WorkingFolder folder;
  WriteOptions(OptionsFor(1));
  RunningGame run;
  OGameScreen& game = run.Game();
  SearchEngine& board = *game.Engine();
  std::copy(cells.begin(), cells.end(), board.cells);
  board.player = 1;
  SeedRand(seed);
  game.Play()->Resume();  // the computer answers after its countdown
  auto& play = static_cast<DiscPlay&>(*game.Play());
  run.Tick(DiscPlay::kReplyFrames);
  ASSERT_TRUE(game.PassNoticeShown());
  EXPECT_EQ(board.player, 1) << "the turn went back to the computer";
  EXPECT_TRUE(game.busy);
  EXPECT_EQ(play.Countdown(), DiscPlay::kPassRestart);
  const std::vector<int> beforeSecondMove = Cells(board);
  run.Tick(DiscPlay::kReplyFrames - DiscPlay::kPassRestart - 1);
  EXPECT_EQ(Cells(board), beforeSecondMove) << "not before 20 frames";
  run.Tick(1);
  EXPECT_NE(Cells(board), beforeSecondMove);
  // The notice stays only while the human still has nowhere to go.
  auto check = StartKindEngine(1);
  check->CopyPosition(board.cells);
  check->player = -1;
  EXPECT_EQ(game.PassNoticeShown(), check->GenerateSuccessors() == 0 && !game.gameOver);
}

TEST(Openings, TheComputerFirstPutsTheCentreStoneOnFiveInARowAndTheRhombus) {
  for (const int kind : {2, 4}) {
    WorkingFolder folder;
    WriteOptions(OptionsFor(kind, true, false, /*computerFirst=*/true));
    RunningGame run;
    OGameScreen& game = run.Game();
    const SearchEngine& board = *game.Engine();
    const int n = board.boardSize;
    EXPECT_EQ(board.cells[(n / 2) * n + n / 2], 1) << "kind " << kind;
    EXPECT_EQ(CountPieces(board.cells, board.totalCells, 1), 1);
    EXPECT_EQ(CountPieces(board.cells, board.totalCells, -1), 0);
    EXPECT_EQ(board.player, -1);
    EXPECT_EQ(game.history.latest, 1);
    EXPECT_NE(game.PieceSprite(CellOfIndex(kind, n, (n / 2) * n + n / 2)), nullptr) << "the stone is drawn";
  }
}

// Two players clicking fast: a click that arrives in the same frame as the winning
// stone, before the banner is up, must not put another stone on a decided board.
TEST(TwoPlayers, AClickAfterTheWinningStoneInTheSameFramePlacesNothing) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(2, true, /*twoPlayers=*/true));
  RunningGame run;
  OGameScreen& game = run.Game();
  const int n = game.Engine()->boardSize;
  for (int column = 0; column < 4; ++column) {
    run.ClickCell(CellOfIndex(2, n, column));  // the first side's row
    ASSERT_TRUE(run.Settle());
    run.ClickCell(CellOfIndex(2, n, 5 * n + column));  // the second side's, far away
    ASSERT_TRUE(run.Settle());
  }
  ASSERT_EQ(CountPieces(game.Engine()->cells, game.Engine()->totalCells, -1), 4);
  ASSERT_FALSE(game.gameOver);
  const int latest = game.history.latest;

  run.ClickCell(CellOfIndex(2, n, 4));          // the fifth in the row wins
  run.ClickCell(CellOfIndex(2, n, 9 * n + 9));  // and a click right after it
  const SearchEngine& board = *game.Engine();
  EXPECT_TRUE(game.gameOver);
  EXPECT_EQ(board.cells[9 * n + 9], 0);
  EXPECT_EQ(CountPieces(board.cells, board.totalCells, 1), 4);
  EXPECT_EQ(game.history.latest, latest + 1);
  run.Tick();
  EXPECT_TRUE(game.BannerShown());
  EXPECT_EQ(game.winner, kSecondSideWon);  // side -1, which moved first
}

}  // namespace
}  // namespace tavlero::game_test
