// The built game started on a private X display with a fresh working folder, its
// window found and the intro clicked away; what the end-to-end tests share.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "child_process.h"
#include "gfx/png_writer.h"
#include "store/game_options.h"
#include "virtual_display.h"

namespace tavlero::e2e {

namespace fs = std::filesystem;

// Generous limits: the game may run under the sanitizers on a busy machine.
constexpr int kWindowAppearsMs = 30000;
constexpr int kBoardShownMs = 30000;
constexpr int kExitMs = 20000;

// A fresh folder, removed with the object.
struct TemporaryFolder {
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "tavlero-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
  fs::path path;
};

// Calls `done` until it says yes or the time is up; false when it never did.
inline bool PollUntil(int timeoutMs, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

inline std::string FileText(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

inline void SavePng(const RgbImage& shot, const std::string& name) {
  fs::create_directories(TAVLERO_TEST_OUTPUT_DIR);
  EXPECT_TRUE(WritePngRgba(std::string(TAVLERO_TEST_OUTPUT_DIR) + "/" + name, shot.width, shot.height,
                           shot.ToRgba().data()));
}

class RealWindowGame : public ::testing::Test {
 protected:
  // The programs and the game binary are there; skips or fails otherwise.
  void SetUp() override {
    const std::string missing = VirtualDisplay::MissingPrograms();
    if (!missing.empty()) GTEST_SKIP() << "needs " << missing << " (./setup.sh installs them)";
    ASSERT_TRUE(fs::exists(GameProgram())) << GameProgram() << " is missing: build the tavlero target first";
    ASSERT_FALSE(home.path.empty());
    fs::create_directories(Folder() / "cfg");
  }

  static fs::path GameProgram() { return fs::path(TAVLERO_TEST_OUTPUT_DIR).parent_path() / "tavlero"; }
  fs::path Folder() const { return home.path / "tavlero"; }
  fs::path OptionsFile() const { return Folder() / kOptionsFileName; }

  // Starts the game with these options and waits for its board screen.
  void StartWith(const GameOptions& options) {
    ASSERT_TRUE(SaveGameOptions(OptionsFile().string(), options));
    std::string error;
    ASSERT_TRUE(display.Start(error)) << error;
    // Under the sanitizers the desktop's libraries (X11, D-Bus) that a real display
    // brings in keep allocations to the end; the game's own leaks are the other tests'.
    const char* sanitizerOptions = std::getenv("ASAN_OPTIONS");
    const std::string noLeakCheck =
        (sanitizerOptions != nullptr ? std::string(sanitizerOptions) + ":" : std::string()) + "detect_leaks=0";
    ASSERT_TRUE(game.Start({GameProgram().string()},
                           display.Environment({{"XDG_DATA_HOME", home.path.string()},
                                                {"SDL_VIDEODRIVER", std::nullopt},
                                                {"SDL_AUDIODRIVER", "dummy"},
                                                {"ASAN_OPTIONS", noLeakCheck}}),
                           (home.path / "game.log").string()));
    const std::optional<std::string> found = display.FindWindow("OMainWindow", kWindowAppearsMs);
    ASSERT_TRUE(found) << "no OMainWindow window on " << display.Name() << "\n" << GameLog();
    window = *found;
    // The intro goes on a click; the board screen takes the window to 800 x 600. The
    // pointer goes in first, and the click is repeated while the intro stays.
    const auto boardShown = [&] {
      const std::optional<WindowGeometry> place = display.Geometry(window);
      return place && place->width == 800 && place->height == 600;
    };
    ASSERT_TRUE(display.MovePointer(window, 200, 200));
    bool shown = false;
    for (int attempt = 0; attempt < 5 && !shown; ++attempt) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      ASSERT_TRUE(display.Click(window, 200, 200));
      shown = PollUntil(1000, boardShown);
    }
    ASSERT_TRUE(shown || PollUntil(kBoardShownMs, boardShown)) << "the window never became 800 x 600\n" << GameLog();
  }

  // The window's part of a screenshot of the whole screen; empty on failure.
  RgbImage WindowShot() {
    RgbImage screen;
    std::string error;
    const std::optional<WindowGeometry> place = display.Geometry(window);
    if (!place || !display.Screenshot(screen, error)) return {};
    return screen.Crop(place->x, place->y, place->width, place->height);
  }
  std::string GameLog() { return "game's output:\n" + FileText(home.path / "game.log"); }

  TemporaryFolder home;  // the game's XDG_DATA_HOME
  VirtualDisplay display;
  ChildProcess game;     // declared after the display: ended before the server goes
  std::string window;
};

}  // namespace tavlero::e2e
