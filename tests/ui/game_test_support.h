// The real program on the scripted desktop: a main window in a working folder of its
// own (the generated pictures and tables linked in), the intro clicked away, and a
// recording effects player, so tests can play games by clicks and ticks and read the
// board, the history, the sounds and the files.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/working_folder.h"
#include "game/board_geometry.h"
#include "platform/fake_text_renderer.h"
#include "platform/fake_window_system.h"
#include "platform/random.h"
#include "platform/services.h"
#include "sound/effects_player.h"
#include "store/game_options.h"
#include "ui/game_screen.h"

namespace tavlero::game_test {

class RecordingEffects : public EffectsPlayer {
 public:
  void Play(int id, bool) override { played.push_back(id); }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVolume(int volume) override { volume_ = volume; }
  int Volume() const override { return volume_; }
  int Count(int id) const { return static_cast<int>(std::count(played.begin(), played.end(), id)); }

  std::vector<int> played;

 private:
  bool enabled_ = true;
  int volume_ = 32768;
};

// A working folder that lives as long as the object, entered while it lives.
class WorkingFolder {
 public:
  WorkingFolder() {
    std::string pattern = ::testing::TempDir() + "game-XXXXXX";
    path = ::mkdtemp(pattern.data()) ? pattern : std::string();
    std::string error;
    if (!PrepareWorkingFolder(path, TAVLERO_DATA_DIR, error)) ADD_FAILURE() << error;
    char here[4096] = {};
    previous_ = ::getcwd(here, sizeof here) ? here : "/";
    if (::chdir(path.c_str()) != 0) ADD_FAILURE() << "cannot enter " << path;
  }
  ~WorkingFolder() {
    if (::chdir(previous_.c_str()) != 0) ADD_FAILURE() << "cannot go back to " << previous_;
    (void)std::system(("rm -rf '" + path + "'").c_str());
  }
  std::string path;

 private:
  std::string previous_;
};

// Writes the options file the next start reads.
inline void WriteOptions(const GameOptions& options) { ASSERT_TRUE(SaveGameOptions(kOptionsFileName, options)); }

// A game's options: kind, level 0, one human moving first, autosave as given.
inline GameOptions OptionsFor(int kind, bool autosave = true, bool twoPlayers = false, bool computerFirst = false) {
  GameOptions options;
  options.Reset();
  options.gameKind = kind;
  options.autosave = autosave ? 1 : 0;
  options.twoPlayers = twoPlayers;
  options.computerFirst = computerFirst;
  options.score = 0;
  return options;
}

// The program started in the current folder, the intro clicked away and one tick run.
class RunningGame {
 public:
  RunningGame() {
    InstallEffectsPlayer(&effects);
    window = std::make_unique<OMainWindow>();
    window->SetFrameInterval(30);
    window->SetNoCaption(true);
    window->SetNoSizingBorder(true);
    created = window->Create("Tavlero", "OMainWindow", 800, 600, 1);
    window->OnLButtonDown(200, 200);
    window->OnLButtonUp(200, 200);
    Tick();
  }
  ~RunningGame() {
    Close();
    InstallEffectsPlayer(nullptr);
  }
  // Closes the program as the window's destroy hook does (saving what it saves).
  void Close() {
    if (!window) return;
    window->OnDestroy();
    window.reset();
  }

  OGameScreen& Game() const { return *window->Game(); }
  void Tick(int count = 1) {
    for (int i = 0; i < count; ++i) window->OnFrame(30);
  }
  void Click(int x, int y) {
    desktop.cursorX = x;
    desktop.cursorY = y;
    window->OnMouseMove(x, y);
    window->OnLButtonDown(x, y);
    window->OnLButtonUp(x, y);
  }
  // Ticks until nothing is busy (an animation, a countdown, a roll); false when it
  // takes longer than `limit` ticks.
  bool Settle(int limit = 2000) {
    for (int i = 0; i < limit; ++i) {
      if (!Game().busy) return true;
      Tick();
    }
    return !Game().busy;
  }
  // The middle of a board cell on the screen.
  ScreenPoint CellCentre(BoardCell cell) const {
    const int kind = Game().Kind();
    const ScreenPoint corner = CellScreenPoint(kind, Game().Engine()->boardSize, cell.column, cell.row);
    const int half = kind == 2 ? 20 : (kind == 4 ? 18 : 35);
    return {corner.x + half, corner.y + (kind == 4 ? 20 : half)};
  }
  void ClickCell(BoardCell cell) {
    const ScreenPoint point = CellCentre(cell);
    Click(point.x, point.y);
  }

  platform::FakeWindowSystem desktop;
  platform::FakeTextRenderer text;
  platform::ScopedServices services{platform::Services{&desktop, &text, nullptr}};
  RecordingEffects effects;
  std::unique_ptr<OMainWindow> window;
  bool created = false;
};

// The human puts a stone on the first empty cell of the connection game's rhombus.
inline void PlaceOnFirstEmptyCell(RunningGame& run) {
  const SearchEngine& board = *run.Game().Engine();
  int index = 0;
  while (board.cells[index] != 0) ++index;
  run.ClickCell(CellOfIndex(4, board.boardSize, index));
  run.Tick();
}

}  // namespace tavlero::game_test
