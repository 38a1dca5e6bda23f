// Shared set-up for text box tests: the fake text renderer (6 pixels a character and
// 16 pixels a line at size 10) and a plain base style, so widths are easy to reckon.
#pragma once

#include <gtest/gtest.h>

#include "platform/fake_text_renderer.h"
#include "platform/services.h"
#include "ui/text_box.h"

namespace tavlero::test {

constexpr int kChar = 6;   // advance of one character at size 10
constexpr int kLine = 16;  // line height at size 10

inline OTextStyle PlainStyle() {
  OTextStyle style;
  style.textColour = 0x000080;
  style.backgroundColour = 0xFFFFFF;
  style.styleFlags = 0;
  style.sizePoints = 10;
  return style;
}

struct TextBoxTest : ::testing::Test {
  platform::FakeTextRenderer renderer;
  platform::ScopedServices services{{nullptr, &renderer, nullptr}};
  OTextStyle plain = PlainStyle();
};

// True when some pixel of the column (or row) differs from the colour.
inline bool ColumnHasInk(const OSurface& s, int x, std::uint32_t background = 0xFFFFFF) {
  for (int y = 0; y < s.Height(); ++y)
    if (s.PixelAt(x, y) != background) return true;
  return false;
}
inline int FirstInkColumn(const OSurface& s) {
  for (int x = 0; x < s.Width(); ++x)
    if (ColumnHasInk(s, x)) return x;
  return -1;
}
inline int LastInkColumn(const OSurface& s) {
  for (int x = s.Width() - 1; x >= 0; --x)
    if (ColumnHasInk(s, x)) return x;
  return -1;
}
inline int FirstInkRow(const OSurface& s) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.PixelAt(x, y) != 0xFFFFFF) return y;
  return -1;
}

}  // namespace tavlero::test
