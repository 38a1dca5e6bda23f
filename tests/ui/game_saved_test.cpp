// Saved games and options across restarts of the program in one working folder.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <vector>

#include "game/cell_codes.h"
#include "game/game_history.h"
#include "game_test_support.h"
#include "store/sealed_file.h"

namespace tavlero::game_test {
namespace {

// What a kind's board shows: the cells, or the dice game's points, and the side to move.
std::vector<int> Position(const OGameScreen& game) {
  if (game.Kind() == OGameScreen::kDiceKind) {
    std::vector<int> points(game.Dice()->points.begin(), game.Dice()->points.end());
    points.push_back(game.Dice()->player);
    return points;
  }
  const SearchEngine& engine = *game.Engine();
  std::vector<int> cells(engine.cells, engine.cells + engine.totalCells);
  cells.push_back(engine.player);
  return cells;
}

TEST(SavedGames, EveryKindResumesFromItsOwnFileAfterARestart) {
  WorkingFolder folder;
  std::map<int, std::vector<int>> left;
  for (int kind = 0; kind < OGameScreen::kKindCount; ++kind) {
    // The computer opens, so every kind has a stored position to come back to.
    WriteOptions(OptionsFor(kind, true, false, /*computerFirst=*/true));
    RunningGame run;
    ASSERT_TRUE(run.Settle(5000));
    run.Tick();
    ASSERT_GE(run.Game().history.latest, 1) << "kind " << kind;
    left[kind] = Position(run.Game());
    run.Close();
    std::ifstream file(GameHistory::FileName(kind));
    ASSERT_TRUE(file.good()) << "kind " << kind;
  }
  for (int kind = 0; kind < OGameScreen::kKindCount; ++kind) {
    GameOptions options = OptionsFor(kind, true, false, true);
    WriteOptions(options);
    RunningGame run;
    EXPECT_EQ(Position(run.Game()), left[kind]) << "kind " << kind;
  }
}

TEST(SavedGames, WithoutAutosaveNoGameIsReadWhateverFilesExist) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(4, true, false, true));
  { RunningGame run; }
  WriteOptions(OptionsFor(4, /*autosave=*/false));
  RunningGame run;
  const SearchEngine& board = *run.Game().Engine();
  EXPECT_EQ(CountPieces(board.cells, board.totalCells, 1), 0);
  EXPECT_EQ(run.Game().history.latest, 0);
}

TEST(SavedGames, AFinishedGameIsNeverKept) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(2, true, /*twoPlayers=*/true));
  {
    RunningGame run;
    // Side -1 lays five in a row on row 3 while side +1 plays on row 10.
    for (int column = 2; column < 7; ++column) {
      run.ClickCell({column, 3});
      ASSERT_TRUE(run.Settle());
      if (column < 6) run.ClickCell({column, 10});
      ASSERT_TRUE(run.Settle());
    }
    run.Tick(2);
    ASSERT_TRUE(run.Game().BannerShown());
    EXPECT_EQ(run.Game().winner, 2);
  }
  GameHistory saved;
  saved.Load(GameHistory::FileName(2));
  EXPECT_EQ(saved.latest, 0) << "the file holds a fresh game";
  RunningGame run;
  EXPECT_FALSE(run.Game().BannerShown());
  EXPECT_EQ(CountPieces(run.Game().Engine()->cells, 196, -1), 0);
}

TEST(SavedGames, UnusableOptionsFilesGiveTheResetValues) {
  const std::vector<std::string> contents = {std::string("not sealed at all"),
                                             SealBytes("Game { Options { Autosave = 1 } }", kOptionsKey),
                                             SealBytes("Game { Scores { Table = \"\" } }", "another key")};
  for (const std::string& content : contents) {
    WorkingFolder folder;
    std::ofstream(kOptionsFileName, std::ios::binary) << content;
    RunningGame run;
    const GameOptions& options = run.Game().options;
    GameOptions reset;
    reset.Reset();
    EXPECT_EQ(options.autosave, 0);
    EXPECT_EQ(options.sound, reset.sound);
    EXPECT_EQ(options.gameKind, 0);
    EXPECT_EQ(options.playerName1, DefaultFirstPlayerName());
    EXPECT_EQ(options.playerName2, DefaultSecondPlayerName());
    EXPECT_FALSE(run.Game().BannerShown());
    EXPECT_EQ(run.Game().Engine()->player, -1) << "a new game with the human first";
  }
}

bool g_refuseReplace = false;
bool RefuseReplace(const std::string&) { return !g_refuseReplace; }

TEST(SavedGames, ASaveKilledBeforeItReplacesTheFileLeavesTheLastGoodOneAndPlayGoesOn) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(4));
  RunningGame run;
  OGameScreen& game = run.Game();
  PlaceOnFirstEmptyCell(run);
  GameHistory before;
  before.Load(GameHistory::FileName(4));
  ASSERT_EQ(before.latest, 2) << "the human's stone and the computer's answer are on disk";

  SetSealedFileReplaceHook(RefuseReplace);
  g_refuseReplace = true;
  testing::internal::CaptureStderr();
  PlaceOnFirstEmptyCell(run);
  const std::string log = testing::internal::GetCapturedStderr();
  g_refuseReplace = false;
  SetSealedFileReplaceHook(nullptr);

  EXPECT_NE(log.find("could not be saved"), std::string::npos);
  EXPECT_EQ(game.history.latest, 4) << "the running game went on";
  GameHistory after;
  after.Load(GameHistory::FileName(4));
  EXPECT_EQ(after.latest, 2) << "the last good file is still there";
  PlaceOnFirstEmptyCell(run);
  after.Load(GameHistory::FileName(4));
  EXPECT_EQ(after.latest, 6) << "the next save goes through";
}

}  // namespace
}  // namespace tavlero::game_test
