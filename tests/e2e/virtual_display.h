// A private X display for end-to-end tests: an Xvfb server of its own (stopped with the
// object), and what a person does at it, done with xdotool (find a window, read its
// place and size, click in it, press keys) and xwd (a screenshot of the whole screen).
#pragma once

#include <signal.h>

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "xwd_image.h"

namespace tavlero::e2e {

struct WindowGeometry {
  int x = 0, y = 0;  // on the screen
  int width = 0, height = 0;
};

class VirtualDisplay {
 public:
  // The programs the display needs that are not on PATH, space-separated; empty when
  // everything is there.
  static std::string MissingPrograms();

  ~VirtualDisplay() { server_.Stop(SIGTERM); }

  // Starts a 1024 x 768 x 24 server on the first free display number from `first` on
  // and waits until it takes connections. False with a reason when none started.
  bool Start(std::string& error, int first = 140);
  // ":140" and the like.
  const std::string& Name() const { return name_; }
  // The test's environment with DISPLAY naming this display and the given changes.
  std::vector<std::string> Environment(EnvironmentChanges changes = {}) const;

  // The first visible window of the X class, waited for at most timeoutMs.
  std::optional<std::string> FindWindow(const std::string& className, int timeoutMs) const;
  std::optional<WindowGeometry> Geometry(const std::string& window) const;
  // The pointer to (x, y) of the window, as the pointer device moves it.
  bool MovePointer(const std::string& window, int x, int y) const;
  // A left click at (x, y) of the window, as the pointer device does it.
  bool Click(const std::string& window, int x, int y) const;
  // Keys (xdotool's names, e.g. "alt+F4") sent to the window.
  void Key(const std::string& window, const std::string& keys) const;
  // The whole screen.
  bool Screenshot(RgbImage& image, std::string& error) const;

 private:
  CommandResult Run(std::vector<std::string> argv, int timeoutMs = 10000) const;

  ChildProcess server_;
  std::string name_;
};

}  // namespace tavlero::e2e
