#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/sdl/sdl_text_renderer.h"

namespace tavlero::platform {
namespace {

// "Съешь же ещё этих мягких булок" in CP1251.
const std::string kRussian =
    "\xD1\xFA\xE5\xF8\xFC \xE6\xE5 \xE5\xF9\xB8 \xFD\xF2\xE8\xF5 \xEC\xFF\xE3\xEA\xE8\xF5 "
    "\xE1\xF3\xEB\xEE\xEA";

FontSpec Font(const char* face, int points, bool bold = false, bool italic = false, bool underline = false) {
  FontSpec spec;
  spec.face = face;
  spec.sizePoints = points;
  spec.bold = bold;
  spec.italic = italic;
  spec.underline = underline;
  return spec;
}

int Width(SdlTextRenderer& text, const FontSpec& font, const std::string& line) {
  int width = 0, height = 0;
  text.Measure(font, line, width, height);
  return width;
}

TEST(SdlTextRendererTest, GameFacesResolveToTheirMetricCompatibleFiles) {
  EXPECT_NE(SdlTextRenderer::FindFontFile(Font("Arial", 10)).find("LiberationSans-Regular"), std::string::npos);
  EXPECT_NE(SdlTextRenderer::FindFontFile(Font("Arial", 10, true)).find("LiberationSans-Bold"), std::string::npos);
  EXPECT_NE(SdlTextRenderer::FindFontFile(Font("Times New Roman", 10)).find("LiberationSerif-Regular"),
            std::string::npos);
  EXPECT_NE(SdlTextRenderer::FindFontFile(Font("Times New Roman", 10, false, true)).find("LiberationSerif-Italic"),
            std::string::npos);
  EXPECT_NE(SdlTextRenderer::FindFontFile(Font("Times New Roman", 10, true, true)).find("LiberationSerif-BoldItalic"),
            std::string::npos);
}

TEST(SdlTextRendererTest, MeasuresCyrillicWithTheRightProportions) {
  SdlTextRenderer text;
  const int sans = Width(text, Font("Arial", 12), kRussian);
  const int serif = Width(text, Font("Times New Roman", 12), kRussian);
  const int sansBold = Width(text, Font("Arial", 12, true), kRussian);
  const int sansDouble = Width(text, Font("Arial", 24), kRussian);
  // 30 characters of a 16-pixel (12-point at 96 dpi) face, about half an em each.
  EXPECT_GT(sans, 200);
  EXPECT_LT(sans, 300);
  EXPECT_LT(serif, sans);
  EXPECT_GT(serif, sans * 3 / 4);
  EXPECT_GT(sansBold, sans);
  EXPECT_NEAR(sansDouble, 2 * sans, sans / 10);

  // Real Cyrillic glyphs, not one replacement box for all: the letters differ in width.
  const int wide = Width(text, Font("Arial", 20), "\xD8");   // Sha
  const int narrow = Width(text, Font("Arial", 20), "\xE3");  // ge
  EXPECT_GT(wide, narrow + 4);
  // Widths add up along a line.
  const int abc = Width(text, Font("Arial", 20), "\xC0\xC1\xC2");
  const int sum = Width(text, Font("Arial", 20), "\xC0") + Width(text, Font("Arial", 20), "\xC1") +
                  Width(text, Font("Arial", 20), "\xC2");
  EXPECT_NEAR(abc, sum, 3);

  // The line height, also for empty text: 10 points at 96 dpi are 13.3 pixels.
  int width = -1, emptyHeight = 0, lineHeight = 0;
  text.Measure(Font("Arial", 10), "", width, emptyHeight);
  EXPECT_EQ(width, 0);
  text.Measure(Font("Arial", 10), "\xC6\xE0", width, lineHeight);
  EXPECT_EQ(emptyHeight, lineHeight);
  EXPECT_GE(lineHeight, 14);
  EXPECT_LE(lineHeight, 18);
}

TEST(SdlTextRendererTest, RendersAnAntialiasedMaskOfTheMeasuredSizeWithStyles) {
  SdlTextRenderer text;
  for (const FontSpec& font : {Font("Arial", 14), Font("Times New Roman", 14, false, true)}) {
    SCOPED_TRACE(font.face);
    int width = 0, height = 0;
    text.Measure(font, kRussian, width, height);
    TextMask mask;
    text.Render(font, kRussian, mask);
    ASSERT_EQ(mask.width, width);
    ASSERT_EQ(mask.height, height);
    ASSERT_EQ(mask.coverage.size(), static_cast<std::size_t>(width * height));
    const auto full = std::count(mask.coverage.begin(), mask.coverage.end(), 255);
    const auto partial = std::count_if(mask.coverage.begin(), mask.coverage.end(),
                                       [](std::uint8_t c) { return c > 0 && c < 255; });
    EXPECT_GT(full, 100);
    EXPECT_GT(partial, 100);  // antialiased edges
    EXPECT_LT(full + partial, width * height / 2);
  }
  const auto ink = [&](const FontSpec& font) {
    TextMask mask;
    text.Render(font, kRussian, mask);
    long sum = 0;
    for (std::uint8_t c : mask.coverage) sum += c;
    return sum;
  };
  const long plain = ink(Font("Arial", 12));
  EXPECT_GT(ink(Font("Arial", 12, false, false, true)), plain + 100 * 255);
  EXPECT_GT(ink(Font("Arial", 12, true)), plain * 5 / 4);
  TextMask empty;
  text.Render(Font("Arial", 12), "", empty);
  EXPECT_EQ(empty.width, 0);
  EXPECT_GT(empty.height, 0);
}

TEST(SdlTextRendererTest, OddRequestsStillGiveUsableResults) {
  SdlTextRenderer text;
  int width = 0, height = 0;
  // An unknown face falls back to some installed face.
  text.Measure(Font("No Such Face At All", 12), "abc", width, height);
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  for (int points : {0, -7, 100000}) {
    text.Measure(Font("Arial", points), "x", width, height);
    EXPECT_GT(height, 0) << points;
    EXPECT_LE(height, 1000) << points;
  }
  // Bytes without a character and control characters do not upset the renderer.
  TextMask mask;
  text.Render(Font("Arial", 12), std::string("a\x98\t\x01z", 5), mask);
  EXPECT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width * mask.height));
  // An embedded zero ends the line consistently for measuring and rendering.
  text.Measure(Font("Arial", 12), std::string("ab\0cd", 5), width, height);
  text.Render(Font("Arial", 12), std::string("ab\0cd", 5), mask);
  EXPECT_EQ(mask.width, width);
  EXPECT_EQ(width, Width(text, Font("Arial", 12), "ab"));
}

}  // namespace
}  // namespace tavlero::platform
