#include "app/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_window_system.h"
#include "platform/services.h"

namespace tavlero {
namespace {

using platform::Event;
using platform::EventType;
using platform::FakeWindowSystem;

Event Key(EventType type, int key) {
  Event event;
  event.type = type;
  event.key = key;
  return event;
}

Event Mouse(EventType type, int x, int y) {
  Event event;
  event.type = type;
  event.x = x;
  event.y = y;
  return event;
}

// Records every virtual call as a line of text.
class RecordingWindow : public OWindow {
 public:
  bool OnCreate() override {
    log.push_back("create");
    return createResult;
  }
  void OnDestroy() override { log.push_back("destroy"); }
  void OnFrame(int elapsed) override { ticks.push_back(elapsed); }
  void OnPaint(void*) override { log.push_back("paint"); }
  void OnKeyDown(int key, int modifiers) override {
    log.push_back("keydown " + std::to_string(key) + " " + std::to_string(modifiers));
  }
  void OnKeyUp(int key, int modifiers) override {
    log.push_back("keyup " + std::to_string(key) + " " + std::to_string(modifiers));
  }
  void OnChar(int character, int) override { log.push_back("char " + std::to_string(character)); }
  void OnLButtonDown(int x, int y) override { log.push_back("ldown " + std::to_string(x) + "," + std::to_string(y)); }
  void OnActivate() override { log.push_back("activate"); }

  bool createResult = true;
  std::vector<std::string> log;
  std::vector<int> ticks;
};

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : services_(MakeServices()) {}
  platform::Services MakeServices() {
    platform::Services services;
    services.window = &desktop;
    return services;
  }
  bool CreateWindow(RecordingWindow& window, int width = 800, int height = 600) {
    window.SetFrameInterval(30);
    window.SetNoCaption(true);
    window.SetNoSizingBorder(true);
    return window.Create("Tavlero", "OMainWindow", width, height, 1);
  }

  FakeWindowSystem desktop;

 private:
  platform::ScopedServices services_;
};

TEST_F(WindowTest, ATickFiresOnlyAfterAWholeIntervalWithTheRealElapsedTime) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  // The loop wakes after 29 ms (too early: no tick), then 16 ms later (45 ms: one tick
  // of 45), then 30 ms after that tick.
  desktop.QueueWaitDurations({29, 16, 30});
  desktop.CloseAt(1000 + 29 + 16 + 30 + 1);
  EXPECT_EQ(window.Run(), 0);
  ASSERT_EQ(window.ticks.size(), 2u);
  EXPECT_EQ(window.ticks[0], 45);
  EXPECT_EQ(window.ticks[1], 30);  // measured from the previous tick, not from 30
}

TEST_F(WindowTest, TheIdleLoopWaitsInsteadOfSpinning) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  desktop.CloseAt(1000 + 3000 + 1);
  window.Run();
  EXPECT_EQ(window.ticks.size(), 100u);
  // One wait per tick: the loop sleeps until the next tick is due.
  EXPECT_LE(desktop.WaitCalls(), 101);
  EXPECT_EQ(window.log.back(), "destroy");
}

TEST_F(WindowTest, EventsAreDeliveredWhileTicksContinue) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  desktop.PushEvent(Mouse(EventType::kLButtonDown, 700, 500), 1010);
  desktop.PushEvent(Key(EventType::kKeyDown, 65), 1040);
  desktop.modifiers = 3;
  desktop.CloseAt(1100);
  window.Run();
  EXPECT_EQ(window.ticks.size(), 3u);
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "ldown 700,500"), window.log.end());
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "keydown 65 3"), window.log.end());
}

TEST_F(WindowTest, AltAloneArrivesAsKey18AndOtherSystemKeysAreSwallowed) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  desktop.modifiers = 4;
  window.Dispatch(Key(EventType::kSysKeyDown, 18));
  window.Dispatch(Key(EventType::kSysKeyUp, 18));
  window.Dispatch(Key(EventType::kSysKeyDown, platform::vk::kF10));  // keyboard menu
  window.Dispatch(Key(EventType::kSysKeyDown, 32));                  // Alt+Space: system menu
  ASSERT_EQ(window.log.size(), 3u);  // "create", then the two Alt calls only
  EXPECT_EQ(window.log[1], "keydown 18 4");
  EXPECT_EQ(window.log[2], "keyup 18 4");
  EXPECT_TRUE(desktop.HasWindow());
}

TEST_F(WindowTest, AltF4AndTheWindowManagerCloseEndTheLoopWithCodeZero) {
  for (const EventType closing : {EventType::kSysKeyDown, EventType::kClose}) {
    RecordingWindow window;
    ASSERT_TRUE(CreateWindow(window));
    desktop.PushEvent(Key(closing, platform::vk::kF4), 1000 + 100);
    EXPECT_EQ(window.Run(), 0);
    EXPECT_FALSE(desktop.HasWindow());
    EXPECT_EQ(window.log.back(), "destroy");
  }
}

TEST_F(WindowTest, CreationFailuresReportAndUndo) {
  {
    desktop.failCreate = true;
    RecordingWindow window;
    EXPECT_FALSE(CreateWindow(window));
    ASSERT_EQ(desktop.Messages().size(), 1u);
    EXPECT_EQ(desktop.Messages()[0].text, "Can't create window");
    EXPECT_EQ(desktop.Messages()[0].caption, "Error");
    EXPECT_TRUE(window.log.empty());
    desktop.failCreate = false;
  }
  {
    RecordingWindow window;
    window.createResult = false;
    EXPECT_FALSE(CreateWindow(window));
    EXPECT_EQ(window.log, (std::vector<std::string>{"create", "destroy"}));
  }
}

TEST_F(WindowTest, AZeroSizeTakesTheDesktopDefaultAndTheFieldsHoldTheRealClientSize) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window, 0, 600));
  EXPECT_EQ(window.Width(), desktop.defaultWidth);
  EXPECT_EQ(window.Height(), desktop.defaultHeight);
  EXPECT_EQ(desktop.Params().className, "OMainWindow");
  EXPECT_FALSE(desktop.Params().caption);
}

TEST_F(WindowTest, PlacementIsIgnoredInFullScreenAndRestoredWhenLeaving) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  window.SetPlacement(100, 50, 0, 0);
  EXPECT_EQ(desktop.WindowX(), 100);
  window.EnterFullScreen();
  ASSERT_TRUE(window.IsFullScreen());
  window.SetPlacement(300, 300, 400, 400);
  EXPECT_EQ(desktop.WindowX(), 100);
  window.LeaveFullScreen();
  EXPECT_FALSE(window.IsFullScreen());
  EXPECT_FALSE(desktop.FullScreen());
  EXPECT_EQ(desktop.WindowX(), 100);
  EXPECT_EQ(desktop.WindowY(), 50);

  desktop.allowFullScreen = false;
  window.EnterFullScreen();
  EXPECT_FALSE(window.IsFullScreen());
}

TEST_F(WindowTest, ActivationRepositionsTheWindowOnTheNextSize) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  window.SetPlacement(40, 30, 800, 600);
  desktop.SetWindowRect(0, 0, 800, 600);  // the desktop moved it
  Event activate;
  activate.type = EventType::kActivate;
  window.Dispatch(activate);
  Event size;
  size.type = EventType::kSize;
  window.Dispatch(size);
  EXPECT_EQ(desktop.WindowX(), 40);
  desktop.SetWindowRect(0, 0, 800, 600);
  window.Dispatch(size);  // no longer pending
  EXPECT_EQ(desktop.WindowX(), 0);
}

TEST_F(WindowTest, ClipboardTextIsCopiedUpToTheLimitOrLeftAlone) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  char buffer[8] = "keep";
  window.ReadClipboardText(buffer, 5);
  EXPECT_STREQ(buffer, "keep");
  desktop.clipboard = std::string("abcdefgh");
  window.ReadClipboardText(buffer, 5);
  EXPECT_STREQ(buffer, "abcde");
  desktop.clipboard = std::string("ab\0cd", 5);
  window.ReadClipboardText(buffer, 5);
  EXPECT_STREQ(buffer, "ab");
}

TEST_F(WindowTest, CloseRequestedMakesARequestCloseAtOnce) {
  RecordingWindow window;
  ASSERT_TRUE(CreateWindow(window));
  window.SetCloseRequested(true);
  window.RequestClose();
  EXPECT_FALSE(desktop.HasWindow());
}

}  // namespace
}  // namespace tavlero
