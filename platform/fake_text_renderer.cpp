#include "platform/fake_text_renderer.h"

#include <algorithm>

namespace tavlero::platform {

int FakeTextRenderer::Advance(const FontSpec& font) {
  const int size = std::max(font.sizePoints, 0);
  return (size * 6 + 9) / 10 + (font.bold ? 1 : 0);
}

int FakeTextRenderer::LineHeight(const FontSpec& font) {
  // ceil(size * 96 / 72 * 1.15) = ceil(size * 11040 / 7200), in integers.
  const long long size = std::max(font.sizePoints, 0);
  return static_cast<int>((size * 11040 + 7199) / 7200);
}

void FakeTextRenderer::Measure(const FontSpec& font, std::string_view text, int& width, int& height) {
  ++measureCalls;
  lastFont = font;
  width = Advance(font) * static_cast<int>(text.size());
  height = LineHeight(font);
}

void FakeTextRenderer::Render(const FontSpec& font, std::string_view text, TextMask& mask) {
  ++renderCalls;
  lastFont = font;
  const int advance = Advance(font);
  mask.width = advance * static_cast<int>(text.size());
  mask.height = LineHeight(font);
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  const int top = mask.height / 4;
  const int baseline = mask.height * 4 / 5;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    const int left = static_cast<int>(i) * advance + 1;
    const int right = static_cast<int>(i + 1) * advance - 1;
    for (int row = top; row < baseline; ++row) {
      for (int col = left; col < right; ++col) mask.coverage[static_cast<std::size_t>(row) * mask.width + col] = 255;
    }
  }
  if (font.underline && baseline < mask.height) {
    std::fill_n(mask.coverage.begin() + static_cast<std::size_t>(baseline) * mask.width, mask.width, 255);
  }
}

}  // namespace tavlero::platform
