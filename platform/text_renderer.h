// Antialiased text drawing in the faces the game names ("Arial", "Times New Roman").
// The renderer returns a coverage mask; the surface code blends it in the text colour.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavlero::platform {

struct FontSpec {
  std::string face = "Arial";
  int sizePoints = 10;  // at 96 pixels per inch
  bool bold = false, italic = false, underline = false;
  bool operator==(const FontSpec&) const = default;
};

// Coverage of one rendered line: 0 background ... 255 fully covered, top-down rows.
struct TextMask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> coverage;  // width * height
};

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;
  // Width and height in pixels of one line of CP1251 text (height: the font's line height,
  // also for empty text).
  virtual void Measure(const FontSpec& font, std::string_view text, int& width, int& height) = 0;
  // Renders one line of CP1251 text; the mask has the size Measure gives.
  virtual void Render(const FontSpec& font, std::string_view text, TextMask& mask) = 0;
};

}  // namespace tavlero::platform
