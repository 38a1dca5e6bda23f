// The real program for the benchmarks: a working folder of its own with the generated
// data linked in (entered while the object lives, removed after), and the main window
// configured and created as the program does it, with the intro clicked away so that
// the board screen waits for the human's first move of a kind-0 game.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app/working_folder.h"
#include "platform/sdl/sdl_window_system.h"

#ifndef TAVLERO_DATA_DIR
#define TAVLERO_DATA_DIR "data"
#endif

namespace tavlero::bench {

class BenchWorkingFolder {
 public:
  BenchWorkingFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavlero-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    char here[4096] = {};
    previous_ = getcwd(here, sizeof here) != nullptr ? here : "/";
    std::string error;
    ready_ = PrepareWorkingFolder(path_, TAVLERO_DATA_DIR, error) && chdir(path_.c_str()) == 0;
  }
  ~BenchWorkingFolder() {
    if (!previous_.empty() && chdir(previous_.c_str()) != 0) return;
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  BenchWorkingFolder(const BenchWorkingFolder&) = delete;
  BenchWorkingFolder& operator=(const BenchWorkingFolder&) = delete;

  bool Ready() const { return ready_; }

 private:
  std::string path_;
  std::string previous_;
  bool ready_ = false;
};

// The SDL back end draws into memory unless a display was named.
inline void UseHeadlessVideoWithoutDisplay() {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
  }
  setenv("SDL_AUDIODRIVER", "dummy", 0);
}

// Creates the window as the program's entry point does and clicks the intro away;
// false when the window could not be made.
inline bool OpenBoard(OMainWindow& window) {
  window.SetBackgroundColour(0x000000);
  window.SetNoCaption(true);
  window.SetNoSizingBorder(true);
  window.SetFrameInterval(30);
  if (!window.Create("Tavlero", "OMainWindow", 800, 600, 1)) return false;
  window.ShowAndUpdate();
  window.OnLButtonDown(200, 200);
  window.OnLButtonUp(200, 200);
  return window.BoardShown();
}

}  // namespace tavlero::bench
