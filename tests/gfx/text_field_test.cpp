// Text fields: typing and its limits, caret keys and sideways scrolling, focus by
// click on a screen, and the caret's blinking. Text is measured by the fake renderer:
// 6 pixels a character at the default size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/screen.h"
#include "control_test_pictures.h"
#include "gfx/text_field.h"
#include "platform/fake_text_renderer.h"
#include "platform/services.h"
#include "platform/window_system.h"

namespace tavlero {
namespace {

namespace vk = platform::vk;
using test::FillLooks;
using test::ShownLookColour;

constexpr int kCharWidth = 6;

struct TextFieldTest : ::testing::Test {
  void SetUp() override {
    DrawingStyle() = OTextStyle();
    OSprite picture;
    FillLooks(picture, 3, 1, 66, 20);
    field.CopyFrom(&picture);
    field.SetMargins(3, 2);
  }
  void Type(const std::string& text) {
    for (char c : text) field.Char(static_cast<signed char>(c), 0);
  }
  // Where the caret stands, relative to the field.
  int CaretX() const { return field.CaretSurface().offsetX; }

  platform::FakeTextRenderer renderer;
  platform::ScopedServices services{{nullptr, &renderer, nullptr}};
  OTextField field;
};

TEST_F(TextFieldTest, TypingStopsAtTheMaximumLength) {
  field.SetFocus(true);
  Type(std::string(300, 'a'));
  EXPECT_EQ(field.Text().size(), 255u);
  EXPECT_EQ(field.Caret(), 255);
  field.maximumLength = 3;
  field.SetText("");
  Type("abcdef");
  EXPECT_EQ(field.Text(), "abc");
}

TEST_F(TextFieldTest, EditingKeysAndIgnoredCharacters) {
  field.SetFocus(true);
  Type("hello");
  field.Char(vk::kReturn, 0);
  field.Char(vk::kTab, 0);
  field.Char(27, 0);
  EXPECT_EQ(field.Text(), "hello");
  field.KeyDown(vk::kLeft, 0);
  field.KeyDown(vk::kLeft, 0);
  field.Char(vk::kBack, 0);
  EXPECT_EQ(field.Text(), "helo");
  EXPECT_EQ(field.Caret(), 2);
  field.KeyDown(vk::kDelete, 0);
  EXPECT_EQ(field.Text(), "heo");
  field.Char('y', 0);
  EXPECT_EQ(field.Text(), "heyo");
  EXPECT_EQ(CaretX(), 3 + 3 * kCharWidth);
  field.KeyDown(vk::kHome, 0);
  field.Char(vk::kBack, 0);  // nothing before the caret
  EXPECT_EQ(field.Text(), "heyo");
  field.KeyDown(vk::kLeft, 0);
  EXPECT_EQ(field.Caret(), 0);
  field.KeyDown(vk::kEnd, 0);
  field.KeyDown(vk::kRight, 0);
  field.KeyDown(vk::kDelete, 0);
  EXPECT_EQ(field.Caret(), 4);
  EXPECT_EQ(field.Text(), "heyo");
  // Keys never claim the event.
  EXPECT_FALSE(field.KeyDown(vk::kLeft, 0));
}

TEST_F(TextFieldTest, CyrillicCharactersAreAccepted) {
  field.SetFocus(true);
  // CP1251 "Да" arrives as signed bytes.
  field.Char(static_cast<signed char>('\xC4'), 0);
  field.Char(static_cast<signed char>('\xE0'), 0);
  EXPECT_EQ(field.Text(), "\xC4\xE0");
}

TEST_F(TextFieldTest, HomeThenEndKeepsTheCaretAtTheRightEdge) {
  field.SetFocus(true);
  Type(std::string(20, 'x'));
  // While typing the caret never leaves the field.
  EXPECT_LE(CaretX(), field.fieldWidth);
  EXPECT_EQ(field.FirstVisible(), 10);
  field.KeyDown(vk::kHome, 0);
  EXPECT_EQ(field.FirstVisible(), 0);
  EXPECT_EQ(CaretX(), 3);
  field.KeyDown(vk::kEnd, 0);
  EXPECT_EQ(field.Caret(), 20);
  EXPECT_EQ(field.FirstVisible(), 10);
  EXPECT_EQ(CaretX(), 3 + 10 * kCharWidth);
  EXPECT_LE(CaretX(), field.fieldWidth);
}

TEST_F(TextFieldTest, ArrowKeysScrollTheTextBothWays) {
  field.SetText(std::string(20, 'x'));
  field.KeyDown(vk::kHome, 0);
  for (int i = 0; i < 20; ++i) {
    field.KeyDown(vk::kRight, 0);
    EXPECT_LE(field.TextWidthToCaret(), field.AvailableWidth()) << "after " << i + 1;
  }
  EXPECT_EQ(field.FirstVisible(), 10);
  for (int i = 0; i < 20; ++i) field.KeyDown(vk::kLeft, 0);
  EXPECT_EQ(field.Caret(), 0);
  EXPECT_EQ(field.FirstVisible(), 0);
  // Backspace at the end scrolls back so the text before the caret shows.
  field.KeyDown(vk::kEnd, 0);
  for (int i = 0; i < 15; ++i) field.Char(vk::kBack, 0);
  EXPECT_EQ(field.Text().size(), 5u);
  EXPECT_EQ(field.FirstVisible(), 0);
}

class FocusScreen : public OScreen {
 public:
  FocusScreen() : OScreen(nullptr, 0, 0, 400, 300) {}
};

TEST_F(TextFieldTest, ClickingGivesAndTakesTheFocus) {
  FocusScreen screen;
  auto* first = new OTextField();
  auto* second = new OTextField();
  for (OTextField* f : {first, second}) {
    OSprite picture;
    FillLooks(picture, 3, 1, 100, 20);
    f->CopyFrom(&picture);
    f->x = 10;
    screen.AddControl(f);
  }
  second->y = 50;
  second->SetText("some text");

  screen.OnLButtonDown(20, 60);
  EXPECT_TRUE(second->hasFocus);
  EXPECT_FALSE(first->hasFocus);
  EXPECT_TRUE(second->CaretShown());
  EXPECT_EQ(second->shownFrames.back(), &second->CaretSurface());
  EXPECT_EQ(second->Caret(), 0);
  EXPECT_EQ(second->CaretSurface().offsetX, 0);
  EXPECT_EQ(ShownLookColour(*second), OTextField::kPressed);

  // Typing reaches only the focused field.
  screen.OnChar('a', 0);
  EXPECT_EQ(second->Text(), "asome text");
  EXPECT_EQ(first->Text(), "");

  screen.OnLButtonDown(20, 15);
  EXPECT_TRUE(first->hasFocus);
  EXPECT_FALSE(second->hasFocus);
  EXPECT_FALSE(second->CaretShown());
  EXPECT_EQ(second->shownFrames.size(), 2u);

  screen.OnLButtonDown(300, 250);
  EXPECT_FALSE(first->hasFocus);
  EXPECT_FALSE(first->CaretShown());
}

TEST_F(TextFieldTest, CaretBlinksEvery301Milliseconds) {
  field.font.textColour = 0x0000FF;
  field.SetFocus(true);
  const OSurface& caret = field.CaretSurface();
  EXPECT_EQ(caret.Width(), 2);
  EXPECT_EQ(caret.Height(), 10);
  EXPECT_EQ(caret.offsetY, 2 + 3);
  EXPECT_EQ(caret.PixelAt(0, 0), 0x0000FFu);
  EXPECT_EQ(caret.colourKey, 0xFFFFFF);

  field.OnFrame(300);
  EXPECT_EQ(caret.PixelAt(0, 0), 0x0000FFu);
  field.OnFrame(1);
  EXPECT_EQ(caret.PixelAt(1, 9), 0xFFFFFFu);  // the key colour: hidden
  field.OnFrame(301);
  EXPECT_EQ(caret.PixelAt(0, 0), 0x0000FFu);
  // Typing shows the caret again at once.
  field.OnFrame(301);
  field.Char('a', 0);
  EXPECT_EQ(field.CaretSurface().PixelAt(0, 0), 0x0000FFu);
}

// Two fields on one screen get every tick; each must still blink at its own pace.
TEST_F(TextFieldTest, TwoFieldsTickingTogetherEachBlinkEvery301Milliseconds) {
  OTextField other;
  other.CopyFrom(&field);
  field.SetFocus(true);
  other.SetFocus(true);
  std::vector<int> fieldToggles, otherToggles;
  for (int elapsed = 30; elapsed <= 1800; elapsed += 30) {
    const std::uint32_t fieldWas = field.CaretSurface().PixelAt(0, 0);
    const std::uint32_t otherWas = other.CaretSurface().PixelAt(0, 0);
    field.OnFrame(30);
    other.OnFrame(30);
    if (field.CaretSurface().PixelAt(0, 0) != fieldWas) fieldToggles.push_back(elapsed);
    if (other.CaretSurface().PixelAt(0, 0) != otherWas) otherToggles.push_back(elapsed);
  }
  // 30 ms ticks pass 301 ms on the 11th tick: a toggle every 330 ms.
  EXPECT_EQ(fieldToggles, (std::vector<int>{330, 660, 990, 1320, 1650}));
  EXPECT_EQ(otherToggles, fieldToggles);
}

}  // namespace
}  // namespace tavlero
