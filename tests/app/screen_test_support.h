// Shared pieces of the screen tests: a window on the scripted desktop, a screen and a
// control that record what reaches them, and small sprites.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/screen.h"
#include "app/window.h"
#include "platform/fake_window_system.h"
#include "platform/services.h"

namespace tavlero::screen_test {

class TestWindow : public OWindow {
 public:
  bool OnCreate() override { return true; }
};

// A window created on the fake desktop, with a 30 ms frame interval.
class WindowFixture {
 public:
  WindowFixture() {
    window.SetFrameInterval(30);
    created = window.Create("Test", "OMainWindow", 800, 600, 0);
  }
  platform::FakeWindowSystem desktop;
  platform::ScopedServices services{platform::Services{&desktop, nullptr, nullptr}};
  TestWindow window;
  bool created = false;
};

inline OSurface* Picture(int w, int h, std::uint32_t colour) {
  auto* picture = new OSurface(w, h);
  picture->clearColour = colour;
  picture->Clear();
  return picture;
}

// A sprite of one flat frame.
inline OSprite* Block(int w, int h, std::uint32_t colour, double x = 0, double y = 0) {
  auto* sprite = new OSprite();
  sprite->AddFrame(Picture(w, h, colour));
  sprite->x = x;
  sprite->y = y;
  return sprite;
}

class RecordingSprite : public OSprite {
 public:
  void OnArrived(const OWaypoint& waypoint) override { arrived.push_back(waypoint); }
  void OnWaypoint(const OWaypoint& waypoint) override { passed.push_back(waypoint); }
  void OnKilled() override { ++killed; }
  std::vector<OWaypoint> arrived, passed;
  int killed = 0;
};

// A control that accepts what its flags say and logs every call.
class TestControl : public OControl {
 public:
  explicit TestControl(std::string name, std::vector<std::string>* log = nullptr)
      : name_(std::move(name)), log_(log) {
    AddFrame(Picture(10, 10, 0x404040));
  }
  bool MouseMove(int x, int y, bool down) override {
    Log("move " + std::to_string(x) + "," + std::to_string(y) + (down ? " down" : ""));
    return acceptMove;
  }
  bool LButtonDown(int x, int y) override {
    Log("down " + std::to_string(x) + "," + std::to_string(y));
    if (acceptDown) clicked = true;
    return acceptDown;
  }
  bool LButtonUp(int x, int y) override {
    Log("up " + std::to_string(x) + "," + std::to_string(y));
    return acceptUp;
  }
  bool KeyDown(int key, int modifiers) override {
    Log("key " + std::to_string(key) + "/" + std::to_string(modifiers));
    return false;
  }
  void Char(int character, int modifiers) override {
    typed += static_cast<char>(character);
    Log("char " + std::to_string(character) + "/" + std::to_string(modifiers));
  }
  void SetFocus(bool focus) override {
    hasFocus = focus;
    Log(focus ? "focus" : "blur");
  }

  bool acceptMove = false, acceptDown = false, acceptUp = false;
  std::string typed;

 private:
  void Log(const std::string& what) {
    if (log_) log_->push_back(name_ + " " + what);
  }
  std::string name_;
  std::vector<std::string>* log_;
};

class RecordingScreen : public OScreen {
 public:
  using OScreen::OScreen;
  void OnControl(OControl* control) override { fired.push_back(control); }
  void OnModalClosed(OScreen* screen, int result) override { closed.push_back({screen, result}); }
  void OnSpriteRemoved(OSprite* sprite) override { removed.push_back(sprite); }
  void OnSpriteWaypoint(OSprite* sprite, const OWaypoint&) override { waypoints.push_back(sprite); }
  void OnSpriteArrived(OSprite* sprite, const OWaypoint&) override {
    arrivals.push_back(sprite);
    if (removeOnArrival) RemoveSprite(sprite, true);
  }
  OControl* OnMouseMove(int x, int y) override {
    moves.push_back({x, y});
    return OScreen::OnMouseMove(x, y);
  }

  std::vector<OControl*> fired;
  std::vector<std::pair<OScreen*, int>> closed;
  std::vector<OSprite*> removed, waypoints, arrivals;
  std::vector<std::pair<int, int>> moves;
  bool removeOnArrival = false;
};

}  // namespace tavlero::screen_test
