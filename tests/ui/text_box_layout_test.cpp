// Line layout of the text box: breaks, tags and their reach, alignments, tabs, empty
// lines, flow round pictures and the word gap.
#include <string>

#include "text_box_test_support.h"

namespace tavlero {
namespace {

using test::kChar;
using test::kLine;
using TextBoxLayout = test::TextBoxTest;

std::vector<std::string> Words(const OTextLine& line) {
  std::vector<std::string> words;
  for (const OTextItem& item : line.items) words.push_back(item.text);
  return words;
}

TEST_F(TextBoxLayout, BreakTagAndLineFeedBothEndTheLine) {
  OTextBox tagged(&plain, 0, 0, 300, 100, "one<br>two");
  OTextBox fed(&plain, 0, 0, 300, 100, "one\ntwo");
  OTextBox capital(&plain, 0, 0, 300, 100, "one<BR>two");
  for (const OTextBox* box : {&tagged, &fed, &capital}) {
    ASSERT_EQ(box->LineCount(), 2);
    EXPECT_EQ(Words(box->Lines()[0]), std::vector<std::string>{"one"});
    EXPECT_EQ(Words(box->Lines()[1]), std::vector<std::string>{"two"});
    EXPECT_EQ(box->LineHeight(0), kLine);
  }
  EXPECT_EQ(tagged.LineHeight(2), 0);
}

TEST_F(TextBoxLayout, StyleTagsIgnoreCaseAndEndWithTheCall) {
  OTextBox box(&plain, 0, 0, 400, 100, "<B>bold</B> <I><U>slanted</u></i> <b><i>both<NORMAL>none");
  ASSERT_EQ(box.LineCount(), 1);
  const auto& items = box.Lines()[0].items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].style.styleFlags, OTextStyle::kBold);
  EXPECT_EQ(items[1].style.styleFlags, OTextStyle::kItalic | OTextStyle::kUnderline);
  EXPECT_EQ(items[2].style.styleFlags, OTextStyle::kBold | OTextStyle::kItalic);
  EXPECT_EQ(items[3].style.styleFlags, 0);
  // Bold text is measured bold: one pixel wider a character with the fake renderer.
  EXPECT_EQ(items[0].width, 4 * (kChar + 1));

  box.SetText("<b><font_size_20>big<sh>", 0, true);
  EXPECT_EQ(box.CurrentStyle(), plain);
  EXPECT_TRUE(box.Shadow());  // the shadow flag outlives the call
  box.SetText("<font_size_0>plain <font_size_99999>huge", 0, true);
  const OTextItem& last = box.Lines().back().items.back();
  EXPECT_EQ(last.style.styleFlags, 0);
  EXPECT_TRUE(last.shadow);
  EXPECT_EQ(box.Lines()[box.Lines().size() - 2].items.back().style.sizePoints, 10);  // size 0: no change
  EXPECT_EQ(last.style.sizePoints, ui::kMaxMarkupFontSize);
}

TEST_F(TextBoxLayout, WordsWrapInsideTheWidthButClipAlignmentsNeverBreak) {
  std::string text;
  for (int i = 0; i < 30; ++i) text += "word ";
  for (int width : {40, 100, 157, 300}) {
    OTextBox box(&plain, 0, 0, width, 400, text);
    EXPECT_GT(box.LineCount(), 1);
    for (const OTextLine& line : box.Lines()) EXPECT_LE(line.drawnWidth, width) << width;
  }
  for (int alignment : {3, 5}) {
    OTextBox box(&plain, 0, 0, 100, 100);
    box.SetText(text, alignment, false);
    EXPECT_EQ(box.LineCount(), 1);
    EXPECT_EQ(box.Lines()[0].items.size(), 30u);
  }
  // An alignment tag applies to the line it completes.
  OTextBox tagged(&plain, 0, 0, 100, 100, "<left_clip>" + text + "<br><right_clip>" + text);
  ASSERT_EQ(tagged.LineCount(), 2);
  EXPECT_EQ(tagged.Lines()[0].alignment, 3);
  EXPECT_EQ(tagged.Lines()[1].alignment, 5);
}

TEST_F(TextBoxLayout, AWordWiderThanTheBoxStandsAlone) {
  OTextBox box(&plain, 0, 0, 30, 100, "a verylongword b");
  ASSERT_EQ(box.LineCount(), 3);
  EXPECT_EQ(Words(box.Lines()[1]), std::vector<std::string>{"verylongword"});
}

TEST_F(TextBoxLayout, TabIsFiveSpacesWide) {
  OTextBox tagged(&plain, 0, 0, 400, 100, "a<tab>b");
  OTextBox typed(&plain, 0, 0, 400, 100, "a\tb");
  OTextBox bigger(&plain, 0, 0, 400, 100, "<font_size_20>a<TAB>b");
  for (const OTextBox* box : {&tagged, &typed}) {
    const auto& items = box->Lines()[0].items;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].width, 5 * kChar);
  }
  EXPECT_EQ(bigger.Lines()[0].items[1].width, 5 * 12);
}

TEST_F(TextBoxLayout, EmptyParagraphIsAsHighAsWInTheStartingStyle) {
  OTextBox box(&plain, 0, 0, 400, 200, "<font_size_30>a\n\nb");
  ASSERT_EQ(box.LineCount(), 3);
  EXPECT_TRUE(box.Lines()[1].items.empty());
  EXPECT_EQ(box.LineHeight(1), kLine);
  EXPECT_EQ(box.LineHeight(0), platform::FakeTextRenderer::LineHeight({"Arial", 30}));
  EXPECT_EQ(box.TextHeight(), 2 * box.LineHeight(0) + kLine + 2 * OTextBox::kLineGap);
}

TEST_F(TextBoxLayout, MissingPictureShowsAWordInTheCurrentStyle) {
  OTextBox box(&plain, 0, 0, 400, 100, "see <b><pic_center_nothing> here");
  const auto& items = box.Lines()[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_FALSE(items[1].picture);
  EXPECT_EQ(items[1].text, "NO_SUCH_PICTURE");
  EXPECT_EQ(items[1].style.styleFlags, OTextStyle::kBold);
  EXPECT_EQ(items[1].width, 15 * (kChar + 1));
}

TEST_F(TextBoxLayout, JustifiedLinesSpreadOtherAlignmentsKeepTheirSpaces) {
  // 10 words of 3 characters: 24 pixels each with the space after; 4 fit in 110.
  std::string text;
  for (int i = 0; i < 10; ++i) text += "abc ";
  OTextBox justified(&plain, 0, 0, 110, 100);
  justified.SetText(text, 1, false);
  ASSERT_EQ(justified.LineCount(), 3);
  const OTextLine& line = justified.Lines()[0];
  EXPECT_EQ(line.items.size(), 4u);
  EXPECT_EQ(line.usedWidth, 96);
  EXPECT_EQ(line.wordGap, kChar + (110 - 96) / 3);
  EXPECT_EQ(line.drawnWidth, 4 * 18 + 3 * kChar);
}

TEST_F(TextBoxLayout, TextFlowsRoundAPictureThatOpensAParagraph) {
  const std::string dir = ::testing::TempDir();
  // A missing file gives the 10 x 10 red square; text flows round it.
  std::string text = "<add_jpeg_sq_" + dir + "/no-such-file.jpg><pic_up_sq>";
  for (int i = 0; i < 20; ++i) text += " abc";
  OTextBox box(&plain, 0, 0, 100, 300, text + "<br>after");
  ASSERT_GT(box.LineCount(), 3);
  EXPECT_TRUE(box.Lines()[0].items[0].picture);
  EXPECT_EQ(box.Lines()[0].indent, 0);
  const int flow = 10 + OTextLayout::kFlowGap;
  for (int i = 1; i + 1 < box.LineCount(); ++i) {
    const OTextLine& line = box.Lines()[i];
    EXPECT_EQ(line.indent, flow);
    EXPECT_LE(line.indent + line.drawnWidth, 100) << "line " << i;
  }
  // The next paragraph starts at the left edge again.
  EXPECT_EQ(box.Lines().back().indent, 0);
  EXPECT_EQ(box.Lines()[0].verticalMode, vertical::kTop);

  // A picture that leaves no room beside it starts no flow: the text goes below it.
  OTextBox narrow(&plain, 0, 0, 14, 300, text);
  for (const OTextLine& line : narrow.Lines()) EXPECT_EQ(line.indent, 0);
}

TEST_F(TextBoxLayout, SetTextAppendsReplacesAndIgnoresEmptyText) {
  OTextBox box(&plain, 0, 0, 300, 100, "one");
  box.SetText("two", 0, true);
  EXPECT_EQ(box.LineCount(), 2);
  EXPECT_EQ(box.WholeText(), "onetwo");
  box.SetText("", 0, false);
  EXPECT_EQ(box.LineCount(), 2);
  box.SetText("three", 2, false);
  ASSERT_EQ(box.LineCount(), 1);
  EXPECT_EQ(box.WholeText(), "three");
  EXPECT_EQ(box.Lines()[0].alignment, 2);
  box.Clear();
  EXPECT_EQ(box.LineCount(), 0);
  box.Render(0, false);  // nothing to draw is fine
}

}  // namespace
}  // namespace tavlero
