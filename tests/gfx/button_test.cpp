// Push buttons on a screen: looks while hovering and pressing, when a click fires,
// pictures with one look, and the pixel hit test.
#include <gtest/gtest.h>

#include "app/screen.h"
#include "app/screen_test_support.h"
#include "control_test_pictures.h"
#include "gfx/button.h"

namespace tavlero {
namespace {

using test::FillLooks;
using test::ShownFrameColour;
using test::ShownLookColour;

class CountingScreen : public OScreen {
 public:
  CountingScreen() : OScreen(nullptr, 100, 50, 400, 300) {}
  void OnControl(OControl* control) override {
    ++fired;
    last = control;
  }
  int fired = 0;
  OControl* last = nullptr;
};

// A button of three 40 x 20 looks at (10, 10) on a screen at (100, 50) of the window.
struct ButtonOnScreen : ::testing::Test {
  void SetUp() override {
    button = new OButton();
    FillLooks(*button, 3);
    button->x = 10;
    button->y = 10;
    screen.AddControl(button);
  }
  // Window coordinates of a point given relative to the screen.
  static int WX(int x) { return x + 100; }
  static int WY(int y) { return y + 50; }

  CountingScreen screen;
  OButton* button = nullptr;
};

TEST_F(ButtonOnScreen, ClickInsideFiresOnceAndShowsHover) {
  screen.OnMouseMove(WX(20), WY(15));
  EXPECT_EQ(ShownLookColour(*button), OButton::kHover);
  screen.OnLButtonDown(WX(20), WY(15));
  EXPECT_EQ(ShownLookColour(*button), OButton::kPressed);
  EXPECT_TRUE(button->clicked);
  // Dragging inside keeps the pressed look.
  screen.OnMouseMove(WX(25), WY(16));
  EXPECT_EQ(ShownLookColour(*button), OButton::kPressed);
  EXPECT_EQ(screen.OnLButtonUp(WX(25), WY(16)), button);
  EXPECT_EQ(screen.fired, 1);
  EXPECT_EQ(screen.last, button);
  EXPECT_FALSE(button->clicked);
  EXPECT_EQ(ShownLookColour(*button), OButton::kHover);
  // A second release without a new press does not fire again.
  screen.OnLButtonUp(WX(25), WY(16));
  EXPECT_EQ(screen.fired, 1);
}

TEST_F(ButtonOnScreen, PressDraggedOutAndReleasedOutsideDoesNotFire) {
  screen.OnLButtonDown(WX(20), WY(15));
  screen.OnMouseMove(WX(200), WY(200));
  EXPECT_EQ(ShownLookColour(*button), OButton::kNormal);
  EXPECT_EQ(screen.OnLButtonUp(WX(200), WY(200)), nullptr);
  EXPECT_EQ(screen.fired, 0);
  EXPECT_FALSE(button->clicked);
  EXPECT_EQ(ShownLookColour(*button), OButton::kNormal);
  // Coming back over the button with the button up is a plain hover, not a click.
  screen.OnMouseMove(WX(20), WY(15));
  screen.OnLButtonUp(WX(20), WY(15));
  EXPECT_EQ(screen.fired, 0);
}

TEST_F(ButtonOnScreen, RightAndBottomEdgesAreOutsideAndHiddenButtonsIgnoreInput) {
  // The button covers x 10 ... 49 and y 10 ... 29.
  EXPECT_TRUE(button->LButtonDown(10, 10));
  EXPECT_TRUE(button->LButtonDown(49, 29));
  EXPECT_FALSE(button->LButtonDown(50, 29));
  EXPECT_FALSE(button->LButtonDown(49, 30));
  EXPECT_FALSE(button->LButtonDown(9, 10));

  button->visible = false;
  button->clicked = false;
  EXPECT_FALSE(button->LButtonDown(20, 15));
  EXPECT_FALSE(button->clicked);
  EXPECT_FALSE(button->MouseMove(20, 15, false));
}

// Three 30-wide buttons side by side, as in the top row of the side panel: a click on
// a shared edge fires the button that starts there and leaves no other one armed.
TEST(Button, OneClickOnTouchingButtonsFiresExactlyOne) {
  screen_test::RecordingScreen screen(nullptr, 0, 0, 800, 600);
  OButton* row[3];
  for (int i = 0; i < 3; ++i) {
    row[i] = new OButton();
    FillLooks(*row[i], 3, 1, 30, 20);
    row[i]->x = 703 + 30 * i;
    row[i]->y = 10;
    screen.AddControl(row[i]);
  }
  for (int i = 1; i < 3; ++i) {
    const int edge = 703 + 30 * i;
    screen.fired.clear();
    screen.OnLButtonDown(edge, 15);
    EXPECT_EQ(screen.OnLButtonUp(edge, 15), row[i]);
    ASSERT_EQ(screen.fired.size(), 1u) << "edge " << edge;
    EXPECT_EQ(screen.fired[0], row[i]);
    for (OButton* button : row) EXPECT_FALSE(button->clicked) << "edge " << edge;
    // A release over the left neighbour without a press of its own fires nothing.
    screen.OnLButtonUp(edge - 1, 15);
    EXPECT_EQ(screen.fired.size(), 1u) << "edge " << edge;
  }
  // Just past the last button's right edge nothing is hit.
  EXPECT_EQ(screen.OnLButtonDown(793, 15), nullptr);
}

TEST(Button, SingleLookRestartsItsAnimationOnPress) {
  OButton button;
  FillLooks(button, 1, 3);
  button.x = 0;
  button.y = 0;
  button.OnFrame(100);
  button.OnFrame(100);
  ASSERT_EQ(ShownFrameColour(button), 2);
  EXPECT_TRUE(button.LButtonDown(5, 5));
  EXPECT_TRUE(button.clicked);
  EXPECT_EQ(ShownFrameColour(button), 0);
  // Hover does not disturb the running animation.
  button.OnFrame(100);
  EXPECT_TRUE(button.MouseMove(5, 5, false));
  EXPECT_EQ(ShownFrameColour(button), 1);
  EXPECT_TRUE(button.LButtonUp(5, 5));
}

TEST(Button, PixelHitTestMissesTransparentPixels) {
  OButton button;
  FillLooks(button, 3);
  // The top-left quarter of every look becomes the key colour.
  for (OSprite* look : button.subSprites) {
    OSurface* frame = look->frames[0];
    const ORect corner{0, 0, 20, 10};
    const std::uint32_t solid = frame->PixelAt(30, 15);
    frame->clearColour = 0xFF00FF;
    frame->Clear(&corner);
    frame->clearColour = solid;
    frame->colourKey = 0xFF00FF;
  }
  button.x = 100;
  button.y = 100;
  button.pixelHitTest = true;
  EXPECT_FALSE(button.LButtonDown(105, 105));
  EXPECT_FALSE(button.clicked);
  EXPECT_TRUE(button.LButtonDown(130, 115));
  EXPECT_TRUE(button.clicked);
  // The rightmost pixel of the picture hits; one further is off the picture.
  EXPECT_TRUE(button.Hit(139, 115));
  EXPECT_FALSE(button.PixelHit(140, 115));
  button.pixelHitTest = false;
  EXPECT_TRUE(button.Hit(105, 105));
}

}  // namespace
}  // namespace tavlero
