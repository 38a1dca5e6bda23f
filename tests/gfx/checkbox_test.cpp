// Check boxes: toggling with two and with six looks, keys, and the caption layer.
#include <gtest/gtest.h>

#include "control_test_pictures.h"
#include "gfx/check_box.h"
#include "gfx/text_field.h"
#include "platform/fake_text_renderer.h"
#include "platform/services.h"

namespace tavlero {
namespace {

using test::FillLooks;
using test::ShownLookColour;

TEST(CheckBox, TwoLooksToggleOnEachReleaseInside) {
  OCheckBox box;
  FillLooks(box, 2, 1, 16, 16);
  box.x = 10;
  box.y = 10;
  for (int round = 0; round < 3; ++round) {
    const bool before = box.checked;
    EXPECT_TRUE(box.LButtonDown(15, 15));
    EXPECT_EQ(ShownLookColour(box), before ? 1 : 0);  // no pressed look: the rest look
    EXPECT_TRUE(box.LButtonUp(15, 15));
    EXPECT_NE(box.checked, before);
    EXPECT_EQ(ShownLookColour(box), box.checked ? 1 : 0);
    EXPECT_TRUE(box.MouseMove(15, 15, false));
    EXPECT_EQ(ShownLookColour(box), box.checked ? 1 : 0);
  }
  // A release outside changes nothing; the box never claims a click.
  const bool before = box.checked;
  EXPECT_FALSE(box.LButtonUp(100, 100));
  EXPECT_EQ(box.checked, before);
  EXPECT_FALSE(box.clicked);
}

TEST(CheckBox, SixLooksShowHoverAndPressedStates) {
  OCheckBox box;
  FillLooks(box, 6, 1, 16, 16);
  EXPECT_TRUE(box.MouseMove(5, 5, false));
  EXPECT_EQ(ShownLookColour(box), OCheckBox::kUncheckedHover);
  EXPECT_TRUE(box.LButtonDown(5, 5));
  EXPECT_EQ(ShownLookColour(box), OCheckBox::kUncheckedPressed);
  EXPECT_TRUE(box.LButtonUp(5, 5));
  EXPECT_TRUE(box.checked);
  EXPECT_EQ(ShownLookColour(box), OCheckBox::kCheckedPressed);
  EXPECT_TRUE(box.MouseMove(6, 6, false));
  EXPECT_EQ(ShownLookColour(box), OCheckBox::kCheckedHover);
  EXPECT_FALSE(box.MouseMove(60, 60, false));
  EXPECT_EQ(ShownLookColour(box), OCheckBox::kChecked);
}

TEST(CheckBox, CaptionIsALayerBesideTheBox) {
  platform::FakeTextRenderer text;
  platform::ScopedServices services({nullptr, &text, nullptr});
  DrawingStyle() = OTextStyle();
  OCheckBox box;
  FillLooks(box, 2, 1, 20, 30);
  box.SetCaption("Sound");
  ASSERT_EQ(box.shownFrames.size(), 2u);
  const OSurface& caption = box.CaptionSurface();
  EXPECT_EQ(box.shownFrames[1], &caption);
  EXPECT_EQ(caption.Width(), 50);
  EXPECT_EQ(caption.Height(), 16);
  EXPECT_EQ(caption.offsetX, 30);
  EXPECT_EQ(caption.offsetY, 7);
  // The text is drawn; the rest is the transparent background.
  EXPECT_EQ(caption.colourKey, 0xFFFFFF);
  bool inked = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 50; ++x) inked |= caption.PixelAt(x, y) == 0x000000;
  EXPECT_TRUE(inked);
  // A new caption reuses the layer.
  box.SetCaption("Music on");
  EXPECT_EQ(box.shownFrames.size(), 2u);
  EXPECT_EQ(box.CaptionSurface().Width(), 80);
}

// The drawing style is shared by everything that draws text; a text field drawing in
// its own font before must not change how a caption looks.
TEST(CheckBox, CaptionLooksTheSameAfterATextFieldDrewInAnotherStyle) {
  platform::FakeTextRenderer text;
  platform::ScopedServices services({nullptr, &text, nullptr});
  KeepDrawingStyle keepForOtherTests;
  DrawingStyle() = OTextStyle();
  OCheckBox before, after;
  before.SetCaption("Autosave");

  OTextField field;
  OTextStyle big{0xFF0000, 0x00FF00, 0, 1, 24, "Arial"};
  field.SetFont(big);
  field.SetText("Player");
  EXPECT_EQ(DrawingStyle(), OTextStyle()) << "the field puts the drawing style back";
  DrawingStyle() = big;  // nor is a style someone else left behind picked up
  after.SetCaption("Autosave");
  const OSurface &a = before.CaptionSurface(), &b = after.CaptionSurface();
  ASSERT_EQ(a.Width(), b.Width());
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) differing += a.PixelAt(x, y) != b.PixelAt(x, y);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(a.colourKey, b.colourKey);
}

}  // namespace
}  // namespace tavlero
