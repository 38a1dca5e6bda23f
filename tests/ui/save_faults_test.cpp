// Saves that fail at each of their steps while a game is running: the last good
// options and game files stay loadable, nothing half-written is left behind, the log
// says what failed, and the game goes on and saves again once the disk recovers.
#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game_test_support.h"
#include "game/game_history.h"
#include "store/save_faults.h"

namespace tavlero::game_test {
namespace {

struct Fault {
  SaveStep step;
  int error;
  bool partlyWritten;  // a few bytes go to disk before the failure, as on a full disk
};

Fault g_fault;
bool g_faulty = false;
std::size_t g_written = 0;

int InjectFault(SaveStep step, std::size_t* bytes) {
  if (!g_faulty || step != g_fault.step) return 0;
  if (g_fault.partlyWritten && g_written == 0 && bytes != nullptr && *bytes > 3) {
    *bytes = 3;
    g_written = 3;
    return 0;
  }
  return g_fault.error;
}

// Every write takes at most a handful of bytes, which the writer must simply continue.
int ShortWrites(SaveStep step, std::size_t* bytes) {
  if (step == SaveStep::kWrite && bytes != nullptr && *bytes > 5) *bytes = 5;
  return 0;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> TemporaryFilesInConfig() {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir("cfg")) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.find(".tmp") != std::string::npos) names.push_back(name);
    }
    ::closedir(dir);
  }
  return names;
}

int SavedLatest() {
  GameHistory saved;
  saved.Load(GameHistory::FileName(4));
  return saved.latest;
}

TEST(SaveFaults, AFailureAtAnyStepKeepsTheLastGoodFilesAndPlayGoesOn) {
  const Fault faults[] = {
      {SaveStep::kOpen, EACCES, false},  {SaveStep::kWrite, EIO, false},  {SaveStep::kWrite, ENOSPC, true},
      {SaveStep::kSync, EIO, false},     {SaveStep::kClose, EIO, false},  {SaveStep::kRename, EXDEV, false},
      {SaveStep::kFolderSync, EIO, false},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(std::string(SaveStepName(fault.step)) + ": " + std::strerror(fault.error));
    WorkingFolder folder;
    GameOptions first = OptionsFor(4);
    first.playerName1 = "Anna";
    WriteOptions(first);
    RunningGame run;
    OGameScreen& game = run.Game();
    PlaceOnFirstEmptyCell(run);
    ASSERT_EQ(SavedLatest(), 2);
    const std::string gameBefore = FileBytes(GameHistory::FileName(4));
    const std::string optionsBefore = FileBytes(kOptionsFileName);

    g_fault = fault;
    g_written = 0;
    g_faulty = true;
    SetSaveFaultHook(InjectFault);
    testing::internal::CaptureStderr();
    PlaceOnFirstEmptyCell(run);  // the autosave after the move
    game.options.playerName1 = "Boris";
    const bool optionsSaved = game.SaveOptions();
    const std::string log = testing::internal::GetCapturedStderr();
    SetSaveFaultHook(nullptr);
    g_faulty = false;

    EXPECT_FALSE(optionsSaved) << "a failed save is never reported as done";
    EXPECT_EQ(game.history.latest, 4) << "the running game went on";
    const std::string step = std::string(" (") + SaveStepName(fault.step) + ": " + std::strerror(fault.error) + ")";
    EXPECT_NE(log.find(GameHistory::FileName(4) + step), std::string::npos) << log;
    EXPECT_NE(log.find(std::string(kOptionsFileName) + step), std::string::npos) << log;
    EXPECT_TRUE(TemporaryFilesInConfig().empty()) << "no temporary file is left behind";
    GameOptions loaded;
    ASSERT_TRUE(LoadGameOptions(kOptionsFileName, loaded));
    if (fault.step == SaveStep::kFolderSync) {
      // The rename took place; only its durability is in doubt.
      EXPECT_EQ(SavedLatest(), 4);
      EXPECT_EQ(loaded.playerName1, "Boris");
    } else {
      EXPECT_EQ(FileBytes(GameHistory::FileName(4)), gameBefore);
      EXPECT_EQ(FileBytes(kOptionsFileName), optionsBefore);
      EXPECT_EQ(loaded.playerName1, "Anna");
    }

    PlaceOnFirstEmptyCell(run);
    EXPECT_EQ(SavedLatest(), 6) << "the next save goes through";
    EXPECT_TRUE(game.SaveOptions());
  }
}

TEST(SaveFaults, WritesThatTakeOnlyPartOfTheBytesStillSaveTheWholeGame) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(4));
  RunningGame run;
  SetSaveFaultHook(ShortWrites);
  for (int move = 0; move < 3; ++move) PlaceOnFirstEmptyCell(run);
  SetSaveFaultHook(nullptr);
  GameHistory saved;
  saved.Load(GameHistory::FileName(4));
  EXPECT_EQ(saved.latest, 6);
  EXPECT_EQ(saved.Tree().ToText(), run.Game().history.Tree().ToText());
}

}  // namespace
}  // namespace tavlero::game_test
