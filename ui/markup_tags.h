// The tag words of the text box's markup language. After preparation every tag stands
// as a word of its own; ParseMarkupWord tells a tag word from plain text and pulls out
// its argument. Tag names ignore case; picture names and file names keep theirs.
#pragma once

#include <string_view>

namespace tavlero::ui {

enum class MarkupTag {
  kText,           // not a tag: a word to draw
  kBoldOn,
  kBoldOff,
  kItalicOn,
  kItalicOff,
  kUnderlineOn,
  kUnderlineOff,
  kNormal,         // bold, italic and underline off
  kShadowOn,
  kShadowOff,
  kFontSize,       // value: the new size; 0 when the tag gave none
  kFontSizeReset,  // back to the size the text started with
  kInverse,
  kAlignment,      // value: alignment code 0 ... 5
  kAddClip,        // name, file: first picture of a picture container
  kAddJpeg,        // name, file: a JPEG file
  kPicture,        // name; value: vertical mode 0 top, 1 bottom, 2 middle
};

// Alignment codes of lines.
namespace align {
constexpr int kLeft = 0, kJustify = 1, kCenter = 2, kLeftClip = 3, kRight = 4, kRightClip = 5;
}  // namespace align

// Largest font size a tag may ask for; larger values are taken as this one so that a
// damaged text cannot ask for a glyph surface of absurd size.
constexpr int kMaxMarkupFontSize = 400;

struct MarkupToken {
  MarkupTag tag = MarkupTag::kText;
  int value = 0;
  std::string_view name;  // views into the word given to ParseMarkupWord
  std::string_view file;
};

MarkupToken ParseMarkupWord(std::string_view word);

}  // namespace tavlero::ui
