// A deterministic text renderer for tests: every byte advances by the same width,
// proportional to the size, and every visible character is a solid box, so text
// layout can be checked without depending on the fonts installed.
#pragma once

#include <string_view>

#include "platform/text_renderer.h"

namespace tavlero::platform {

class FakeTextRenderer : public TextRenderer {
 public:
  // ceil(size x 0.6) pixels per byte (one more when bold).
  static int Advance(const FontSpec& font);
  // ceil(size x 96 / 72 x 1.15) pixels.
  static int LineHeight(const FontSpec& font);

  void Measure(const FontSpec& font, std::string_view text, int& width, int& height) override;
  // Each byte other than a space gets a box of full coverage one pixel in from its cell's
  // sides, from a quarter of the line height down to the baseline (at 80 %); underline
  // adds a full-width line on the row below the baseline.
  void Render(const FontSpec& font, std::string_view text, TextMask& mask) override;

  int measureCalls = 0;
  int renderCalls = 0;
  FontSpec lastFont;
};

}  // namespace tavlero::platform
