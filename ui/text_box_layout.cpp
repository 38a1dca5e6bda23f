#include "ui/text_box_layout.h"

#include <algorithm>
#include <utility>

#include "ui/markup_prepare.h"
#include "ui/markup_tags.h"

namespace tavlero {
namespace {

void SetFlag(OTextState& state, int flag, bool on) {
  if (on) {
    state.style.styleFlags |= flag;
    state.shadowStyle.styleFlags |= flag;
  } else {
    state.style.styleFlags &= ~flag;
    state.shadowStyle.styleFlags &= ~flag;
  }
}

bool IsClipAlignment(int alignment) { return alignment == ui::align::kLeftClip || alignment == ui::align::kRightClip; }

}  // namespace

OTextLayout::OTextLayout(int boxWidth, const OTextStyle& startStyle, OTextPictures& pictures)
    : boxWidth_(boxWidth), startStyle_(startStyle), pictures_(pictures) {
  startSpace_ = SpaceWidth(startStyle_);
  emptyLineHeight_ = Measure(startStyle_, "W").height;
}

OTextLayout::Measured OTextLayout::Measure(const OTextStyle& style, std::string_view text) const {
  DrawingStyle() = style;
  Measured size;
  OSurface::TextExtent(text, size.width, size.height);
  return size;
}

void OTextLayout::LayOut(std::string_view prepared, OTextState& state, std::vector<OTextLine>& lines) {
  for (const auto& words : ui::SplitParagraphs(prepared)) LayOutParagraph(words, state, lines);
}

void OTextLayout::ApplyTag(const ui::MarkupToken& token, OTextState& state) {
  using ui::MarkupTag;
  switch (token.tag) {
    case MarkupTag::kText:
    case MarkupTag::kPicture:
      break;
    case MarkupTag::kBoldOn:
    case MarkupTag::kBoldOff:
      SetFlag(state, OTextStyle::kBold, token.tag == MarkupTag::kBoldOn);
      break;
    case MarkupTag::kItalicOn:
    case MarkupTag::kItalicOff:
      SetFlag(state, OTextStyle::kItalic, token.tag == MarkupTag::kItalicOn);
      break;
    case MarkupTag::kUnderlineOn:
    case MarkupTag::kUnderlineOff:
      SetFlag(state, OTextStyle::kUnderline, token.tag == MarkupTag::kUnderlineOn);
      break;
    case MarkupTag::kNormal:
      SetFlag(state, OTextStyle::kBold | OTextStyle::kItalic | OTextStyle::kUnderline, false);
      break;
    case MarkupTag::kShadowOn:
    case MarkupTag::kShadowOff:
      state.shadow = token.tag == MarkupTag::kShadowOn;
      break;
    case MarkupTag::kFontSize:
      if (token.value > 0) state.style.sizePoints = state.shadowStyle.sizePoints = token.value;
      break;
    case MarkupTag::kFontSizeReset:
      state.style.sizePoints = state.shadowStyle.sizePoints = startStyle_.sizePoints;
      break;
    case MarkupTag::kInverse:
      std::swap(state.style.textColour, state.style.backgroundColour);
      state.shadow = false;
      break;
    case MarkupTag::kAlignment:
      state.alignment = token.value;
      break;
    case MarkupTag::kAddClip:
      pictures_.AddContainerPicture(token.name, token.file);
      break;
    case MarkupTag::kAddJpeg:
      pictures_.AddJpegPicture(token.name, token.file);
      break;
  }
}

void OTextLayout::LayOutParagraph(const std::vector<std::string_view>& words, OTextState& state,
                                  std::vector<OTextLine>& lines) {
  OTextLine line;
  int x = 0, h = 0, n = 0;
  int verticalMode = vertical::kMiddle;
  int flowIndent = 0;
  int lineIndent = 0;

  auto complete = [&] {
    line.height = h > 0 ? h : emptyLineHeight_;
    line.usedWidth = x;
    line.alignment = state.alignment;
    line.verticalMode = verticalMode;
    line.indent = lineIndent;
    line.availableWidth = boxWidth_ - lineIndent;
    line.drawnWidth = 0;
    for (std::size_t k = 0; k < line.items.size(); ++k) {
      line.drawnWidth += k + 1 < line.items.size() ? line.items[k].advance : line.items[k].width;
    }
    line.wordGap = startSpace_ + std::max(0, line.availableWidth - x) / std::max(1, n - 1);
    lines.push_back(std::move(line));
    line = OTextLine();
    x = h = n = 0;
    lineIndent = flowIndent;
  };

  std::size_t i = 0;
  while (i < words.size()) {
    const ui::MarkupToken token = ui::ParseMarkupWord(words[i]);
    const bool isPicture = token.tag == ui::MarkupTag::kPicture;
    if (!isPicture && token.tag != ui::MarkupTag::kText) {
      ApplyTag(token, state);
      ++i;
      continue;
    }

    OTextItem item;
    const OSurface* picture = isPicture ? pictures_.Find(token.name) : nullptr;
    if (picture) {
      item.picture = true;
      item.text = token.name;
      item.width = picture->Width();
      item.height = picture->Height();
    } else {
      item.text = isPicture ? std::string_view(kMissingPictureWord) : words[i];
      item.style = state.style;
      item.shadowStyle = state.shadowStyle;
      item.shadow = state.shadow;
      if (item.text == "\t") {
        const Measured space = Measure(state.style, " ");
        item.width = kTabSpaces * space.width;
        item.height = space.height;
      } else {
        const Measured size = Measure(state.style, item.text);
        item.width = size.width;
        item.height = size.height;
      }
    }
    item.advance = item.width + SpaceWidth(state.style);

    const int available = boxWidth_ - lineIndent;
    const bool widePicture = item.picture && item.width >= boxWidth_;
    // A line never breaks before its first item: a word wider than the box stands alone.
    if (!IsClipAlignment(state.alignment) && n > 0 && !widePicture && x + item.width > available) {
      complete();
      continue;
    }
    // The picture tag sets the mode of the line its picture lands on.
    if (isPicture) verticalMode = token.value;
    if (item.picture && x == 0) {
      // Text flows round a picture that opens a line; a picture (nearly) as wide as the
      // box leaves no room beside it.
      if (!widePicture && lineIndent + item.width + kFlowGap < boxWidth_) {
        flowIndent = lineIndent + item.width + kFlowGap;
      }
      x = kFlowGap;
    }
    if (item.picture && item.height < h) line.pictureLower = true;
    x += item.advance;
    h = std::max(h, item.height);
    ++n;
    line.items.push_back(std::move(item));
    ++i;
  }
  complete();
}

}  // namespace tavlero
