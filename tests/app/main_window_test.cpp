#include "app/main_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/screen.h"
#include "ui/game_screen.h"
#include "ui/intro_screen.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"
#include "platform/fake_text_renderer.h"
#include "platform/fake_window_system.h"
#include "platform/services.h"

namespace tavlero {
namespace {

using platform::FakeWindowSystem;

class CountingScreen : public OScreen {
 public:
  using OScreen::OScreen;
  OControl* OnLButtonDown(int x, int y) override {
    ++downs;
    return OScreen::OnLButtonDown(x, y);
  }
  OControl* OnLButtonUp(int x, int y) override {
    ++ups;
    return OScreen::OnLButtonUp(x, y);
  }
  void OnKeyDown(int key, int modifiers) override {
    lastKey = key;
    OScreen::OnKeyDown(key, modifiers);
  }
  void OnFrame(int elapsed) override {
    ++frames;
    OScreen::OnFrame(elapsed);
  }
  int downs = 0, ups = 0, frames = 0, lastKey = 0;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : services_(MakeServices()) {
    // The board screen's backdrops come from the game's data folder.
    if (chdir(TAVLERO_DATA_DIR) != 0) ADD_FAILURE() << "no data folder " << TAVLERO_DATA_DIR;
    window.SetFrameInterval(30);
    window.SetNoCaption(true);
    window.SetNoSizingBorder(true);
  }
  ~MainWindowTest() override { window.OnDestroy(); }
  platform::Services MakeServices() {
    platform::Services services;
    services.window = &desktop;
    services.text = &text;
    return services;
  }

  FakeWindowSystem desktop;
  platform::FakeTextRenderer text;
  platform::ScopedServices services_;
  OMainWindow window;
};

TEST_F(MainWindowTest, StartsWithTheIntroCentredAndNeitherLoadsNorSavesBeforeTheBoardIsShown) {
  ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
  EXPECT_EQ(TheMainWindow(), &window);
  ASSERT_NE(window.Game(), nullptr);
  ASSERT_NE(window.Intro(), nullptr);
  EXPECT_EQ(window.CurrentScreen(), static_cast<OScreen*>(window.Intro()));
  EXPECT_TRUE(window.CloseRequested());
  EXPECT_EQ(desktop.Params().title, "Tavlero");
  EXPECT_EQ(desktop.WindowX(), (desktop.displayWidth - 400) / 2);
  EXPECT_EQ(desktop.WindowY(), (desktop.displayHeight - 400) / 2);
  window.ShowAndUpdate();
  EXPECT_FALSE(desktop.Blits().empty());
  EXPECT_NE(desktop.PixelAt(200, 200), 0x000000u) << "the intro picture is drawn";
  EXPECT_FALSE(window.BoardShown());
}

TEST_F(MainWindowTest, AReleaseAfterAScreenChangeReachesNobody) {
  ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
  CountingScreen below(&window, 0, 0, 800, 600), dialog(&window, 100, 100, 300, 200);
  below.ShowModal(window.CurrentScreenSlot());
  window.OnLButtonDown(10, 10);
  EXPECT_EQ(below.downs, 1);
  window.ShowDialog(&dialog);
  window.OnLButtonUp(10, 10);
  EXPECT_EQ(below.ups, 0);
  EXPECT_EQ(dialog.ups, 0);
  // A press and release on the dialog itself reach it.
  window.OnLButtonDown(150, 150);
  window.OnLButtonUp(150, 150);
  EXPECT_EQ(dialog.ups, 1);
  dialog.CloseModal(0);
  EXPECT_EQ(window.CurrentScreen(), &below);
  below.CloseModal(0);
}

TEST_F(MainWindowTest, DialogsAreCentredOverTheBoardBesideThePanel) {
  ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
  CountingScreen dialog(&window, 0, 0, 305, 205);
  window.ShowDialog(&dialog);
  EXPECT_EQ(dialog.X(), (585 - 305) / 2 + 60);
  EXPECT_EQ(dialog.Y(), (600 - 205) / 2);
  EXPECT_EQ(dialog.Width(), 305);
  EXPECT_EQ(window.CurrentScreen(), &dialog);
  EXPECT_EQ(dialog.ScreenBelow(), static_cast<OScreen*>(window.Intro()));
  dialog.CloseModal(0);
  EXPECT_EQ(window.CurrentScreen(), static_cast<OScreen*>(window.Intro()));
}

TEST_F(MainWindowTest, FunctionKeysAreTheWindowsOwnAndOtherKeysReachTheScreen) {
  ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
  CountingScreen screen(&window, 0, 0, 800, 600);
  screen.ShowModal(window.CurrentScreenSlot());
  window.EnterFullScreen();
  window.Game()->options.windowMode = 1;
  window.OnKeyDown(platform::vk::kF2, 0);
  EXPECT_FALSE(window.IsFullScreen());
  EXPECT_EQ(window.Game()->options.windowMode, 0);
  window.OnKeyDown(platform::vk::kF3, 0);
  EXPECT_TRUE(desktop.Minimised());
  EXPECT_EQ(screen.lastKey, 0);
  // F1 is the screen's: the board opens its help with it.
  window.OnKeyDown(platform::vk::kF1, 0);
  EXPECT_EQ(screen.lastKey, platform::vk::kF1);
  window.OnKeyDown('A', 0);
  EXPECT_EQ(screen.lastKey, 'A');
  screen.CloseModal(0);
}

TEST_F(MainWindowTest, TicksGoToTheCurrentScreenOnly) {
  ASSERT_TRUE(window.Create("Tavlero", "OMainWindow", 800, 600, 1));
  CountingScreen below(&window, 0, 0, 800, 600), top(&window, 100, 100, 200, 200);
  below.ShowModal(window.CurrentScreenSlot());
  top.ShowModal(window.CurrentScreenSlot());
  window.OnFrame(30);
  EXPECT_EQ(top.frames, 1);
  EXPECT_EQ(below.frames, 0);
  top.CloseModal(0);
  below.CloseModal(0);
}

}  // namespace
}  // namespace tavlero
