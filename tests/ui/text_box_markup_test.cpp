// The markup language below the layout: preparing a text into words and reading tags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/markup_prepare.h"
#include "ui/markup_tags.h"

namespace tavlero::ui {
namespace {

using Paragraphs = std::vector<std::vector<std::string>>;

Paragraphs Split(const std::string& text) {
  const std::string prepared = PrepareMarkup(text);
  Paragraphs result;
  for (const auto& words : SplitParagraphs(prepared)) {
    auto& out = result.emplace_back();
    for (auto word : words) out.emplace_back(word);
  }
  return result;
}

TEST(MarkupPrepare, LineBreaksTagsAndTabsBecomeWordsAndParagraphs) {
  EXPECT_EQ(Split("one<br>two"), (Paragraphs{{"one"}, {"two"}}));
  EXPECT_EQ(Split("one\ntwo"), (Paragraphs{{"one"}, {"two"}}));
  EXPECT_EQ(Split("one<BR>two"), (Paragraphs{{"one"}, {"two"}}));
  EXPECT_EQ(Split("a\r\nb"), (Paragraphs{{"a"}, {"b"}}));
  EXPECT_EQ(Split("a<b>bold</B>c"), (Paragraphs{{"a", "<b>", "bold", "</B>", "c"}}));
  EXPECT_EQ(Split("a<TAB>b\tc"), (Paragraphs{{"a", "\t", "b", "\t", "c"}}));
  // An empty paragraph stays; nothing follows the final line feed.
  EXPECT_EQ(Split("a\n\nb"), (Paragraphs{{"a"}, {}, {"b"}}));
  EXPECT_EQ(Split(""), (Paragraphs{{}}));
  // A lone "<" or ">" is plain text, split off as a word.
  EXPECT_EQ(Split("x<y z>w"), (Paragraphs{{"x", "<y", "z>", "w"}}));
}

TEST(MarkupTags, TagsIgnoreCaseAndCarryTheirArguments) {
  EXPECT_EQ(ParseMarkupWord("<B>").tag, MarkupTag::kBoldOn);
  EXPECT_EQ(ParseMarkupWord("</Sh>").tag, MarkupTag::kShadowOff);
  EXPECT_EQ(ParseMarkupWord("<NORMAL>").tag, MarkupTag::kNormal);
  EXPECT_EQ(ParseMarkupWord("b").tag, MarkupTag::kText);
  EXPECT_EQ(ParseMarkupWord("<bold>").tag, MarkupTag::kText);
  EXPECT_EQ(ParseMarkupWord("<>").tag, MarkupTag::kText);

  const MarkupToken right = ParseMarkupWord("<Right_Clip>");
  EXPECT_EQ(right.tag, MarkupTag::kAlignment);
  EXPECT_EQ(right.value, align::kRightClip);

  EXPECT_EQ(ParseMarkupWord("<font_size_24>").value, 24);
  EXPECT_EQ(ParseMarkupWord("<FONT_SIZE_x>").tag, MarkupTag::kFontSize);
  EXPECT_EQ(ParseMarkupWord("<FONT_SIZE_x>").value, 0);
  EXPECT_EQ(ParseMarkupWord("<font_size_99999999999999>").value, kMaxMarkupFontSize);
  EXPECT_EQ(ParseMarkupWord("</font_size>").tag, MarkupTag::kFontSizeReset);
}

TEST(MarkupTags, PictureNamesEndAtTheFirstUnderscoreAndKeepTheirCase) {
  const MarkupToken clip = ParseMarkupWord("<ADD_CLIP_Knight_clp/My_Pics.clp>");
  EXPECT_EQ(clip.tag, MarkupTag::kAddClip);
  EXPECT_EQ(clip.name, "Knight");
  EXPECT_EQ(clip.file, "clp/My_Pics.clp");

  const MarkupToken jpeg = ParseMarkupWord("<add_jpeg_photo>");
  EXPECT_EQ(jpeg.tag, MarkupTag::kAddJpeg);
  EXPECT_EQ(jpeg.name, "photo");
  EXPECT_EQ(jpeg.file, "");

  const MarkupToken down = ParseMarkupWord("<Pic_Down_Big_One>");
  EXPECT_EQ(down.tag, MarkupTag::kPicture);
  EXPECT_EQ(down.value, 1);
  EXPECT_EQ(down.name, "Big_One");
  EXPECT_EQ(ParseMarkupWord("<pic_up_a>").value, 0);
  EXPECT_EQ(ParseMarkupWord("<pic_center_a>").value, 2);
}

}  // namespace
}  // namespace tavlero::ui
