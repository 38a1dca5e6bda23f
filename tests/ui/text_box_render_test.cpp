// Drawing the text box: scrolling by line and by pixel, alignment start positions,
// clip alignment, vertical placement, shadows and inverted text.
#include <string>

#include "text_box_test_support.h"

namespace tavlero {
namespace {

using test::FirstInkColumn;
using test::FirstInkRow;
using test::kChar;
using test::kLine;
using test::LastInkColumn;
using TextBoxRender = test::TextBoxTest;

bool SamePixels(const OSurface& a, const OSurface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
  return true;
}

TEST_F(TextBoxRender, ScrollingByPixelsMatchesScrollingByLines) {
  OTextBox box(&plain, 0, 0, 200, 60, "<font_size_20>first<br></font_size>second<br>third<br>fourth");
  ASSERT_EQ(box.LineCount(), 4);
  OTextBox reference(&plain, 0, 0, 200, 60, "<font_size_20>first<br></font_size>second<br>third<br>fourth");

  box.Render(0, true);
  reference.Render(0, false);
  EXPECT_TRUE(SamePixels(box.Surface(), reference.Surface()));

  box.Render(box.LineHeight(0) + OTextBox::kLineGap, true);
  reference.Render(1, false);
  EXPECT_TRUE(SamePixels(box.Surface(), reference.Surface()));

  // Half a line up: the first line's lower part shows at the top.
  box.Render(10, true);
  EXPECT_EQ(FirstInkRow(box.Surface()), 0);

  // Past the last line nothing is drawn.
  box.Render(4, false);
  EXPECT_EQ(FirstInkRow(box.Surface()), -1);
  box.Render(100000, true);
  EXPECT_EQ(FirstInkRow(box.Surface()), -1);
}

TEST_F(TextBoxRender, AlignmentsPlaceTheLine) {
  // "abc" is 18 pixels; the fake glyphs leave a pixel free on each side of a cell.
  OTextBox left(&plain, 0, 0, 200, 20, "<left>abc");
  OTextBox center(&plain, 0, 0, 200, 20, "<center>abc");
  OTextBox right(&plain, 0, 0, 200, 20, "<right>abc");
  EXPECT_EQ(FirstInkColumn(left.Surface()), 1);
  EXPECT_EQ(FirstInkColumn(center.Surface()), (200 - 18) / 2 + 1);
  EXPECT_EQ(LastInkColumn(right.Surface()), 200 - 2);
  // Several words keep their own spacing away from justified text.
  OTextBox words(&plain, 0, 0, 200, 20, "<right>ab cd");
  EXPECT_EQ(LastInkColumn(words.Surface()), 200 - 2);
  EXPECT_EQ(FirstInkColumn(words.Surface()), 200 - (4 * kChar + kChar) + 1);
}

TEST_F(TextBoxRender, WordsBesideATallerPictureFollowTheVerticalMode) {
  const std::string dir = ::testing::TempDir();
  // A big letter makes the line tall; the small word moves within it.
  const std::string tall = "<font_size_40>W</font_size>";
  OTextBox middle(&plain, 0, 0, 300, 100, tall + " small");
  OTextBox top(&plain, 0, 0, 300, 100,
               "<add_jpeg_sq_" + dir + "/none.jpg><pic_up_sq> " + tall + " small");
  OTextBox bottom(&plain, 0, 0, 300, 100,
                  "<add_jpeg_sq_" + dir + "/none.jpg><pic_down_sq> " + tall + " small");
  const int lineHeight = platform::FakeTextRenderer::LineHeight({"Arial", 40});
  ASSERT_EQ(middle.LineHeight(0), lineHeight);
  auto firstRowAt = [](const OSurface& s, int x) {
    for (int y = 0; y < s.Height(); ++y)
      if (s.PixelAt(x, y) != 0xFFFFFF) return y;
    return -1;
  };
  const int smallInk = kLine / 4;  // where the fake glyph starts inside its line
  const int inkMiddle = firstRowAt(middle.Surface(), LastInkColumn(middle.Surface()) - 2);
  EXPECT_EQ(inkMiddle, (lineHeight - kLine) / 2 + smallInk);
  EXPECT_EQ(firstRowAt(top.Surface(), LastInkColumn(top.Surface()) - 2), smallInk);
  EXPECT_EQ(firstRowAt(bottom.Surface(), LastInkColumn(bottom.Surface()) - 2),
            lineHeight - kLine + smallInk);
}

TEST_F(TextBoxRender, ShadowAndInverseText) {
  OTextBox shadowed(&plain, 0, 0, 100, 30, "<sh>x", 0, false, 0x00FF00);
  // The fake glyph of "x" covers columns 1..4 and rows 4..11; its shadow one further.
  EXPECT_EQ(shadowed.Surface().PixelAt(5, 12), 0x00FF00u);
  EXPECT_EQ(shadowed.Surface().PixelAt(2, 6), plain.textColour);

  OTextBox inverse(&plain, 0, 0, 100, 30, "<inverse><sh>x");
  // The word stands on a block of the text colour; its letters, in the background colour,
  // are kept a shade off the key so they do not turn transparent.
  EXPECT_EQ(inverse.Surface().PixelAt(0, 0), plain.textColour);
  EXPECT_EQ(inverse.Surface().PixelAt(5, 15), plain.textColour);
  EXPECT_EQ(inverse.Surface().PixelAt(2, 6), 0xFFFFFEu);
  EXPECT_NE(static_cast<int>(inverse.Surface().PixelAt(2, 6)), inverse.Surface().colourKey);
  // The shadow tag came before the inverse one here, so the flag is on again after it.
  EXPECT_TRUE(inverse.Shadow());
  OTextBox inverseLast(&plain, 0, 0, 100, 30, "<sh><inverse>x");
  EXPECT_FALSE(inverseLast.Shadow());
}

}  // namespace
}  // namespace tavlero
