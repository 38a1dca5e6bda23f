#include "ui/markup_tags.h"

#include <array>

namespace tavlero::ui {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

struct FixedTag {
  std::string_view text;
  MarkupTag tag;
  int value;
};

constexpr std::array kFixedTags{
    FixedTag{"b", MarkupTag::kBoldOn, 0},
    FixedTag{"/b", MarkupTag::kBoldOff, 0},
    FixedTag{"i", MarkupTag::kItalicOn, 0},
    FixedTag{"/i", MarkupTag::kItalicOff, 0},
    FixedTag{"u", MarkupTag::kUnderlineOn, 0},
    FixedTag{"/u", MarkupTag::kUnderlineOff, 0},
    FixedTag{"normal", MarkupTag::kNormal, 0},
    FixedTag{"sh", MarkupTag::kShadowOn, 0},
    FixedTag{"/sh", MarkupTag::kShadowOff, 0},
    FixedTag{"/font_size", MarkupTag::kFontSizeReset, 0},
    FixedTag{"inverse", MarkupTag::kInverse, 0},
    FixedTag{"left", MarkupTag::kAlignment, align::kLeft},
    FixedTag{"justify", MarkupTag::kAlignment, align::kJustify},
    FixedTag{"center", MarkupTag::kAlignment, align::kCenter},
    FixedTag{"left_clip", MarkupTag::kAlignment, align::kLeftClip},
    FixedTag{"right", MarkupTag::kAlignment, align::kRight},
    FixedTag{"right_clip", MarkupTag::kAlignment, align::kRightClip},
};

struct PictureTag {
  std::string_view prefix;
  int mode;
};

constexpr std::array kPictureTags{
    PictureTag{"pic_up_", 0},
    PictureTag{"pic_down_", 1},
    PictureTag{"pic_center_", 2},
};

// Leading decimal digits, capped; 0 when there are none.
int ParseSize(std::string_view digits) {
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > kMaxMarkupFontSize) return kMaxMarkupFontSize;
  }
  return value;
}

}  // namespace

MarkupToken ParseMarkupWord(std::string_view word) {
  MarkupToken token;
  if (word.size() < 3 || word.front() != '<' || word.back() != '>') return token;
  const std::string_view body = word.substr(1, word.size() - 2);

  for (const FixedTag& fixed : kFixedTags) {
    if (EqualsNoCase(body, fixed.text)) {
      token.tag = fixed.tag;
      token.value = fixed.value;
      return token;
    }
  }
  if (StartsWithNoCase(body, "font_size_")) {
    token.tag = MarkupTag::kFontSize;
    token.value = ParseSize(body.substr(10));
    return token;
  }
  for (const PictureTag& picture : kPictureTags) {
    if (StartsWithNoCase(body, picture.prefix)) {
      token.tag = MarkupTag::kPicture;
      token.value = picture.mode;
      token.name = body.substr(picture.prefix.size());
      return token;
    }
  }
  const bool clip = StartsWithNoCase(body, "add_clip_");
  if (clip || StartsWithNoCase(body, "add_jpeg_")) {
    token.tag = clip ? MarkupTag::kAddClip : MarkupTag::kAddJpeg;
    const std::string_view rest = body.substr(9);
    const size_t split = rest.find('_');
    token.name = rest.substr(0, split);
    if (split != std::string_view::npos) token.file = rest.substr(split + 1);
    return token;
  }
  return token;
}

}  // namespace tavlero::ui
