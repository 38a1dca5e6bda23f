// OTextBox: running text with a small tag language of its own (bold, italic,
// underline, shadow, font size, inverted colours, six alignments, line breaks, tabs and
// pictures inside the text), laid out in lines that fit the box's width and drawn onto
// the box's own surface from a chosen first line or pixel offset. The surface is filled
// with the base style's background colour, which is also its colour key, so only the
// text and pictures show when a screen draws it.
//
// Style tags act within one SetText call: when the call ends the style returns to what
// it was when the call began. The shadow flag keeps its last value, and the picture
// names a text defines stay for the box's lifetime.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "ui/text_box_layout.h"
#include "ui/text_box_pictures.h"

namespace tavlero {

class OTextBox {
 public:
  static constexpr int kShadowOffset = 1;
  static constexpr int kLineGap = 2;

  // Dark green bold 16-point Arial on white.
  static OTextStyle DefaultStyle();

  // Without a base style the default style is used. A text that is not empty is laid
  // out with `alignment` and drawn from the first line.
  OTextBox(const OTextStyle* baseStyle, double x, double y, int width, int height,
           const std::string& text = std::string(), int alignment = 0, bool shadow = false,
           std::uint32_t shadowColour = 0x000000);
  OTextBox(const OTextBox&) = delete;
  OTextBox& operator=(const OTextBox&) = delete;

  // Lays the text out below the lines there are, or, when append is false, in place of
  // them. An empty text changes nothing.
  void SetText(const std::string& text, int alignment, bool append);
  // Drops every line and the kept text.
  void Clear();
  // Clears the surface and draws the lines: from line `offset`, or, with byPixels, with
  // the text shifted up by `offset` pixels.
  void Render(int offset, bool byPixels);

  int LineCount() const { return static_cast<int>(lines_.size()); }
  // 0 for a line that does not exist.
  int LineHeight(int line) const;
  // All lines with the gaps between them.
  int TextHeight() const;
  const std::vector<OTextLine>& Lines() const { return lines_; }
  const std::string& WholeText() const { return wholeText_; }

  OSurface& Surface() { return surface_; }
  const OSurface& Surface() const { return surface_; }
  const OTextStyle& BaseStyle() const { return baseStyle_; }
  const OTextStyle& CurrentStyle() const { return style_; }
  bool Shadow() const { return shadow_; }
  const OTextPictures& Pictures() const { return pictures_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  double x = 0, y = 0;
  // Pixels between one line and the next; Render and TextHeight use it.
  int lineGap = kLineGap;

 private:
  void DrawLine(const OTextLine& line, int top);
  void DrawWord(const OTextItem& item, int left, int top);
  // A colour as drawn: the surface's key colour would turn text transparent, so text in
  // that colour is drawn a shade off it.
  std::uint32_t Visible(std::uint32_t colour) const;

  int width_, height_;
  OSurface surface_;
  OTextStyle baseStyle_;
  OTextStyle style_;
  OTextStyle shadowStyle_;
  bool shadow_ = false;
  OTextPictures pictures_;
  std::vector<OTextLine> lines_;
  std::string wholeText_;
};

}  // namespace tavlero
