// Line layout of the text box: takes a prepared markup text (ui/markup_prepare.h),
// applies its tags and breaks its paragraphs into lines that fit the box's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "gfx/surface.h"
#include "ui/markup_tags.h"
#include "ui/text_box_pictures.h"

namespace tavlero {

// One laid-out word or picture.
struct OTextItem {
  bool picture = false;
  std::string text;  // the word, or the picture's name
  int width = 0, height = 0;
  int advance = 0;  // width plus the space after it, as laid out
  OTextStyle style;
  OTextStyle shadowStyle;
  bool shadow = false;
};

// Vertical placement of the items of a line that are lower than the line.
namespace vertical {
constexpr int kTop = 0, kBottom = 1, kMiddle = 2;
}  // namespace vertical

struct OTextLine {
  std::vector<OTextItem> items;
  int usedWidth = 0;   // the width the layout used, trailing space included
  int drawnWidth = 0;  // from the first item's left edge to the last item's right edge
  int height = 0;
  int alignment = 0;
  int verticalMode = vertical::kMiddle;
  bool pictureLower = false;  // a picture lower than the line: pictures move, words stay
  int indent = 0;             // left indent beside a picture that text flows round
  int availableWidth = 0;     // box width less the indent
  int wordGap = 0;            // distance between items of a justified line
};

// The style state a markup text changes as it goes.
struct OTextState {
  OTextStyle style;
  OTextStyle shadowStyle;
  bool shadow = false;
  int alignment = 0;
};

class OTextLayout {
 public:
  // Between a picture that text flows round and the text beside it.
  static constexpr int kFlowGap = 5;
  static constexpr int kTabSpaces = 5;
  static constexpr const char* kMissingPictureWord = "NO_SUCH_PICTURE";

  // `startStyle` is the style in force when the text began: empty lines are as high as
  // its "W" and spacing is based on its space.
  OTextLayout(int boxWidth, const OTextStyle& startStyle, OTextPictures& pictures);

  // Lays out every paragraph of the prepared text, appending lines.
  void LayOut(std::string_view prepared, OTextState& state, std::vector<OTextLine>& lines);

 private:
  struct Measured {
    int width = 0, height = 0;
  };
  Measured Measure(const OTextStyle& style, std::string_view text) const;
  int SpaceWidth(const OTextStyle& style) const { return Measure(style, " ").width; }
  // Applies a tag that changes the state (everything but text and pictures).
  void ApplyTag(const ui::MarkupToken& token, OTextState& state);
  void LayOutParagraph(const std::vector<std::string_view>& words, OTextState& state,
                       std::vector<OTextLine>& lines);

  int boxWidth_;
  OTextStyle startStyle_;
  OTextPictures& pictures_;
  int startSpace_ = 0;
  int emptyLineHeight_ = 0;
};

}  // namespace tavlero
