#include <gtest/gtest.h>

#include "platform/window_system.h"
#include "screen_test_support.h"

namespace tavlero::screen_test {
namespace {

using platform::modifier::kCtrl;
using platform::modifier::kShift;

class ScreenInputTest : public ::testing::Test {
 protected:
  ScreenInputTest() : screen(&fixture.window, 100, 50, 300, 200) {
    for (const char* name : {"a", "b", "c"}) {
      auto* control = new TestControl(name, &log);
      controls.push_back(control);
      screen.AddControl(control);
    }
  }
  WindowFixture fixture;
  RecordingScreen screen;
  std::vector<std::string> log;
  std::vector<TestControl*> controls;
};

TEST_F(ScreenInputTest, MouseEventsReachVisibleControlsInScreenCoordinates) {
  controls[1]->visible = false;
  controls[0]->acceptMove = true;
  controls[2]->acceptMove = true;
  EXPECT_EQ(screen.OnMouseMove(110, 70), controls[2]);  // the last that accepted
  EXPECT_EQ(log, (std::vector<std::string>{"a move 10,20", "c move 10,20"}));

  log.clear();
  controls[0]->acceptDown = true;
  EXPECT_EQ(screen.OnLButtonDown(100, 50), controls[0]);
  EXPECT_TRUE(screen.MouseButtonDown());
  screen.OnMouseMove(101, 51);
  EXPECT_EQ(log.back(), "c move 1,1 down");
  screen.SetControlVisible(controls[1], true);
  EXPECT_TRUE(controls[1]->visible);
}

TEST_F(ScreenInputTest, AReleaseFiresOnlyACompletedClickAndClearsTheFlagsPassed) {
  // Pressed on b, released over nothing that answers: no command, flags cleared.
  controls[0]->clicked = true;
  controls[1]->acceptDown = true;
  screen.OnLButtonDown(105, 55);
  EXPECT_TRUE(controls[1]->clicked);
  EXPECT_EQ(screen.OnLButtonUp(400, 400), nullptr);
  EXPECT_FALSE(screen.MouseButtonDown());
  EXPECT_TRUE(screen.fired.empty());
  EXPECT_FALSE(controls[0]->clicked);
  EXPECT_FALSE(controls[1]->clicked);

  // A control answering true without a click of its own does not fire either.
  controls[0]->acceptUp = true;
  EXPECT_EQ(screen.OnLButtonUp(105, 55), controls[0]);
  EXPECT_TRUE(screen.fired.empty());

  // A completed click on c fires once and ends the visit there.
  controls[2]->clicked = true;
  controls[2]->acceptUp = true;
  controls[1]->clicked = true;
  log.clear();
  EXPECT_EQ(screen.OnLButtonUp(105, 55), controls[2]);
  ASSERT_EQ(screen.fired.size(), 1u);
  EXPECT_EQ(screen.fired[0], controls[2]);
  EXPECT_FALSE(controls[1]->clicked);

  // The click is used up: another release over c without a press does not fire again.
  screen.OnLButtonUp(105, 55);
  EXPECT_EQ(screen.fired.size(), 1u);
}

TEST_F(ScreenInputTest, TabMovesTheFocusForwardAndWrapsToTheFirstControl) {
  controls[1]->SetFocus(true);
  log.clear();
  screen.OnKeyDown(platform::vk::kTab, 0);
  EXPECT_FALSE(controls[1]->hasFocus);
  EXPECT_TRUE(controls[2]->hasFocus);
  EXPECT_EQ(log, (std::vector<std::string>{"b blur", "c focus"}));

  screen.OnKeyDown(platform::vk::kTab, 0);
  EXPECT_FALSE(controls[2]->hasFocus);
  EXPECT_TRUE(controls[0]->hasFocus);
  EXPECT_FALSE(controls[1]->hasFocus);

  // No focus anywhere: Tab does nothing.
  controls[0]->SetFocus(false);
  log.clear();
  screen.OnKeyDown(platform::vk::kTab, 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(ScreenInputTest, KeysAndCharactersGoToTheFocusedControlsOnly) {
  controls[0]->SetFocus(true);
  controls[2]->SetFocus(true);
  log.clear();
  screen.OnKeyDown(platform::vk::kLeft, kShift);
  screen.OnChar(-32, 0);  // a CP1251 letter arrives as a signed byte
  EXPECT_EQ(log, (std::vector<std::string>{"a key 37/1", "c key 37/1", "a char -32/0", "c char -32/0"}));
}

TEST_F(ScreenInputTest, PasteFeedsTheClipboardCharacterByCharacter) {
  controls[1]->SetFocus(true);
  fixture.desktop.clipboard = std::string("ab\xE0");
  screen.OnKeyDown('V', kCtrl);
  EXPECT_EQ(controls[1]->typed, "ab\xE0");
  EXPECT_EQ(log.back(), "b char -32/0");
  screen.OnKeyDown(platform::vk::kInsert, kShift);
  screen.OnKeyDown(platform::vk::kNumpad0, kShift);
  EXPECT_EQ(controls[1]->typed, "ab\xE0" "ab\xE0" "ab\xE0");
  EXPECT_TRUE(controls[0]->typed.empty());

  // Without the modifier the keys are ordinary keys.
  log.clear();
  screen.OnKeyDown('V', 0);
  EXPECT_EQ(log, (std::vector<std::string>{"b key 86/0"}));

  // At most 100 characters are taken; an empty clipboard feeds nothing.
  controls[1]->typed.clear();
  fixture.desktop.clipboard = std::string(150, 'x');
  screen.OnKeyDown('V', kCtrl);
  EXPECT_EQ(controls[1]->typed, std::string(100, 'x'));
  controls[1]->typed.clear();
  fixture.desktop.clipboard.reset();
  screen.OnKeyDown('V', kCtrl);
  EXPECT_TRUE(controls[1]->typed.empty());
}

class ScreenModalTest : public ::testing::Test {
 protected:
  ScreenModalTest() : lower(&fixture.window, 0, 0, 100, 100), upper(&fixture.window, 20, 20, 40, 40) {}
  WindowFixture fixture;
  RecordingScreen lower, upper;
  OScreen* current = nullptr;
};

TEST_F(ScreenModalTest, ShowingAndClosingMovesTheCurrentScreenAndNotifiesTheLowerOne) {
  lower.ShowModal(&current);
  EXPECT_EQ(current, &lower);
  EXPECT_EQ(lower.ScreenBelow(), nullptr);
  ASSERT_NE(lower.Surface(), nullptr);

  fixture.desktop.cursorX = 33;
  fixture.desktop.cursorY = 44;
  upper.ShowModal(&current);
  EXPECT_EQ(current, &upper);
  EXPECT_EQ(upper.ScreenBelow(), &lower);
  EXPECT_EQ(upper.OwnerSlot(), &current);
  EXPECT_TRUE(lower.skipNextRedraw);
  ASSERT_EQ(upper.moves.size(), 1u);  // hover states at once
  EXPECT_EQ(upper.moves[0], std::make_pair(33, 44));

  lower.moves.clear();
  fixture.desktop.ClearBlits();
  fixture.desktop.cursorX = 7;
  upper.CloseModal(5);
  EXPECT_EQ(current, &lower);
  EXPECT_EQ(upper.Surface(), nullptr);
  EXPECT_EQ(upper.ScreenBelow(), nullptr);
  EXPECT_EQ(upper.OwnerSlot(), nullptr);
  EXPECT_TRUE(upper.skipNextRedraw);
  EXPECT_FALSE(fixture.desktop.Blits().empty());  // the lower screen was redrawn
  ASSERT_EQ(lower.moves.size(), 1u);
  EXPECT_EQ(lower.moves[0], std::make_pair(7, 44));
  ASSERT_EQ(lower.closed.size(), 1u);
  EXPECT_EQ(lower.closed[0], std::make_pair(static_cast<OScreen*>(&upper), 5));

  // Closing again does nothing more; the closed screen's tick draws nothing.
  upper.CloseModal(6);
  upper.OnFrame(30);
  upper.OnFrame(30);
  EXPECT_EQ(lower.closed.size(), 1u);
}

TEST_F(ScreenModalTest, ShowingTheCurrentScreenAgainKeepsTheStackAndPaintingEnds) {
  lower.ShowModal(&current);
  upper.ShowModal(&current);
  upper.ShowModal(&current);  // shown again while current
  EXPECT_EQ(upper.ScreenBelow(), &lower);
  upper.PaintBelow();
  upper.CloseModal(0);
  EXPECT_EQ(current, &lower);
}

TEST_F(ScreenModalTest, ShowingSortsSpritesByDepthLargerFirstKeepingEqualOnesInOrder) {
  OSprite* near = Block(1, 1, 0);
  OSprite* farA = Block(1, 1, 0);
  OSprite* farB = Block(1, 1, 0);
  near->z = 1;
  farA->z = 5;
  farB->z = 5;
  upper.AddSprite(near);
  upper.AddSprite(farA);
  upper.AddSprite(farB);
  upper.ShowModal(&current);
  EXPECT_EQ(upper.Sprites(), (std::vector<OSprite*>{farA, farB, near}));
}

}  // namespace
}  // namespace tavlero::screen_test
