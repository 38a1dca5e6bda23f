#include "ui/text_box.h"

#include <algorithm>

#include "ui/markup_prepare.h"

namespace tavlero {

OTextStyle OTextBox::DefaultStyle() {
  OTextStyle style;
  style.textColour = 0x004129;
  style.backgroundColour = 0xFFFFFF;
  style.styleFlags = OTextStyle::kBold;
  style.sizePoints = 16;
  style.faceName = "Arial";
  return style;
}

OTextBox::OTextBox(const OTextStyle* baseStyle, double boxX, double boxY, int width, int height,
                   const std::string& text, int alignment, bool shadow, std::uint32_t shadowColour)
    : x(boxX),
      y(boxY),
      width_(std::max(0, width)),
      height_(std::max(0, height)),
      surface_(std::max(1, width), std::max(1, height)),
      baseStyle_(baseStyle ? *baseStyle : DefaultStyle()),
      style_(baseStyle_),
      shadowStyle_(baseStyle_),
      shadow_(shadow) {
  baseStyle_.backgroundColour &= 0xFFFFFF;
  shadowStyle_.textColour = shadowColour & 0xFFFFFF;
  surface_.clearColour = baseStyle_.backgroundColour;
  surface_.Clear();
  surface_.colourKey = static_cast<int>(baseStyle_.backgroundColour);
  if (!text.empty()) {
    SetText(text, alignment, false);
    Render(0, false);
  }
}

void OTextBox::Clear() {
  lines_.clear();
  wholeText_.clear();
}

void OTextBox::SetText(const std::string& text, int alignment, bool append) {
  if (text.empty()) return;
  if (!append) Clear();
  wholeText_ += text;

  KeepDrawingStyle keep;
  OTextState state{style_, shadowStyle_, shadow_, alignment};
  OTextLayout layout(width_, style_, pictures_);
  layout.LayOut(ui::PrepareMarkup(text), state, lines_);
  // Style tags end with the call; the shadow flag carries over.
  shadow_ = state.shadow;
}

int OTextBox::LineHeight(int line) const {
  return line >= 0 && line < LineCount() ? lines_[static_cast<std::size_t>(line)].height : 0;
}

int OTextBox::TextHeight() const {
  int total = 0;
  for (const OTextLine& line : lines_) total += line.height + lineGap;
  return lines_.empty() ? 0 : total - lineGap;
}

void OTextBox::Render(int offset, bool byPixels) {
  surface_.clearColour = baseStyle_.backgroundColour;
  surface_.Clear();
  surface_.colourKey = static_cast<int>(baseStyle_.backgroundColour);
  KeepDrawingStyle keep;

  std::size_t first = 0;
  int top = 0;
  if (byPixels) {
    top = -std::max(0, offset);
  } else {
    first = static_cast<std::size_t>(std::max(0, offset));
  }
  for (std::size_t i = first; i < lines_.size() && top < height_; ++i) {
    const OTextLine& line = lines_[i];
    // Lines wholly above the box are skipped; a line cut by the top edge shows its rest.
    if (top + line.height > 0) DrawLine(line, top);
    top += line.height + lineGap;
  }
}

std::uint32_t OTextBox::Visible(std::uint32_t colour) const {
  colour &= 0xFFFFFF;
  return colour == baseStyle_.backgroundColour ? colour ^ 0x000001 : colour;
}

void OTextBox::DrawLine(const OTextLine& line, int top) {
  using ui::align::kCenter;
  using ui::align::kJustify;
  using ui::align::kRight;
  using ui::align::kRightClip;
  const int free = line.availableWidth - line.drawnWidth;
  int left = line.indent;
  if (line.alignment == kRight || line.alignment == kRightClip) left += std::max(0, free);
  if (line.alignment == kCenter) left += free / 2;

  for (const OTextItem& item : line.items) {
    // Items lower than the line: pictures move when the line says so, otherwise words do.
    int shift = 0;
    if (item.picture == line.pictureLower) {
      const int spare = line.height - item.height;
      if (line.verticalMode == vertical::kBottom) shift = spare;
      if (line.verticalMode == vertical::kMiddle) shift = spare / 2;
    }
    if (item.picture) {
      surface_.Draw(pictures_.Find(item.text), left, top + shift);
    } else {
      DrawWord(item, left, top + shift);
    }
    if (item.width != 0) left += line.alignment == kJustify ? item.width + line.wordGap : item.advance;
  }
}

void OTextBox::DrawWord(const OTextItem& item, int left, int top) {
  const std::uint32_t background = item.style.backgroundColour & 0xFFFFFF;
  if (background != baseStyle_.backgroundColour) {
    // Inverted text stands on a block of its own background.
    const ORect block{left, top, left + item.width, top + item.height};
    surface_.clearColour = background;
    surface_.Clear(&block);
    surface_.clearColour = baseStyle_.backgroundColour;
  }
  if (item.text == "\t") return;
  if (item.shadow) {
    DrawingStyle() = item.shadowStyle;
    DrawingStyle().textColour = Visible(item.shadowStyle.textColour);
    surface_.DrawText(item.text, left + kShadowOffset, top + kShadowOffset);
  }
  DrawingStyle() = item.style;
  DrawingStyle().textColour = Visible(item.style.textColour);
  surface_.DrawText(item.text, left, top);
}

}  // namespace tavlero
