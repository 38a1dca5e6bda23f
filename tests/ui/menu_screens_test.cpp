// The screens around the board: the dialog base (keys, clicks and the click effect),
// the end-of-game and confirmation dialogs, the intro screen, the text sprite and the
// shared picture tables. They run on the fake desktop with the game's real pictures;
// two dialogs are also drawn with real fonts and written to the test output folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/screen_test_support.h"
#include "gfx/png_writer.h"
#include "platform/fake_text_renderer.h"
#include "platform/random.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "sound/effects_player.h"
#include "ui/confirm_dialog.h"
#include "ui/end_game_dialog.h"
#include "ui/intro_screen.h"
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {
namespace {

using screen_test::RecordingScreen;
using screen_test::TestWindow;

constexpr std::uint32_t kInk = 0x640B00, kFace = 0xD28031, kGrey = 0x808080;

// Changes the working folder for the scope and goes back afterwards.
struct WorkingFolder {
  explicit WorkingFolder(const std::string& path) : saved(std::filesystem::current_path()) {
    std::error_code error;
    std::filesystem::current_path(path, error);
    if (error) ADD_FAILURE() << "cannot enter " << path;
  }
  ~WorkingFolder() {
    std::error_code error;
    std::filesystem::current_path(saved, error);
  }
  std::filesystem::path saved;
};

// An empty folder of its own, removed afterwards.
struct EmptyFolder {
  EmptyFolder() {
    char pattern[] = "/tmp/tavlero-menu-XXXXXX";
    path = mkdtemp(pattern) ? pattern : "/nonexistent-tavlero-folder";
  }
  ~EmptyFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

class RecordingEffects : public SilentEffectsPlayer {
 public:
  void Play(int id, bool) override { played.push_back(id); }
  std::vector<int> played;
};

// A window on the fake desktop with a grey screen below the dialogs, in the data folder.
class MenuScreensTest : public ::testing::Test {
 protected:
  MenuScreensTest() {
    InstallEffectsPlayer(&effects);
    window.SetFrameInterval(30);
    EXPECT_TRUE(window.Create("Test", "OMainWindow", 800, 600, 0));
    LoadSharedPictures();
    below.backgroundColour = kGrey;
    below.ShowModal(&slot);
  }
  ~MenuScreensTest() override { InstallEffectsPlayer(nullptr); }

  // Places a dialog as the main window does and makes it current.
  void Show(OScreen& dialog) {
    dialog.SetRect((585 - dialog.Width()) / 2 + 60, (600 - dialog.Height()) / 2, dialog.Width(), dialog.Height());
    dialog.ShowModal(&slot);
    ASSERT_EQ(slot, &dialog);
  }
  // A press and a release at the middle of (or beside) a control, in window coordinates.
  void Click(OScreen& screen, const OSprite& control, int pressDx = 0, int releaseDx = 0) {
    const int x = screen.X() + static_cast<int>(control.x) + control.width / 2;
    const int y = screen.Y() + static_cast<int>(control.y) + control.height / 2;
    screen.OnLButtonDown(x + pressDx, y);
    screen.OnLButtonUp(x + releaseDx, y);
  }

  WorkingFolder folder{TAVLERO_DATA_DIR};
  platform::FakeWindowSystem desktop;
  platform::FakeTextRenderer text;
  platform::ScopedServices services{platform::Services{&desktop, &text, nullptr}};
  RecordingEffects effects;
  TestWindow window;
  OScreen* slot = nullptr;
  RecordingScreen below{&window, 0, 0, 800, 600};
};

using Closings = std::vector<std::pair<OScreen*, int>>;

TEST_F(MenuScreensTest, EnterRunsOkEscapeRunsCancelOtherKeysKeepTheDialog) {
  OConfirmDialog confirm(&window);
  OEndGameDialog endOfGame(&window);
  for (OMenuScreen* dialog : {static_cast<OMenuScreen*>(&confirm), static_cast<OMenuScreen*>(&endOfGame)}) {
    dialog->Init();
    below.closed.clear();
    Show(*dialog);
    dialog->OnKeyDown('A', 0);
    EXPECT_EQ(slot, dialog);
    dialog->OnKeyDown(platform::vk::kReturn, 0);
    Show(*dialog);
    dialog->OnKeyDown(platform::vk::kEscape, 0);
    EXPECT_EQ(below.closed, (Closings{{dialog, 0}, {dialog, 1}}));
  }
}

TEST_F(MenuScreensTest, OnlyACompletedClickOnAButtonPlaysTheClickAndRunsIt) {
  OConfirmDialog dialog(&window);
  dialog.Init();
  Show(dialog);
  // Pressed on OK but released beside it, and pressed beside it but released on it.
  Click(dialog, *dialog.OkButton(), 0, 200);
  Click(dialog, *dialog.OkButton(), -200, 0);
  EXPECT_TRUE(effects.played.empty());
  Click(dialog, *dialog.OkButton());
  EXPECT_EQ(effects.played, std::vector<int>{effect::kClick});
  Show(dialog);
  Click(dialog, *dialog.CancelButton());
  EXPECT_EQ(below.closed, (Closings{{&dialog, 0}, {&dialog, 1}}));
}

TEST_F(MenuScreensTest, EndOfGameDialogNamesTheWinnerWithPictureAndEffect) {
  struct Case {
    int winner, twoPlayers;
    std::string name;
    int frame, effect;
  };
  const Case cases[] = {{1, false, "Comp", 0, effect::kComputerWon},
                        {1, true, "Comp", 0, effect::kPlayerWon},
                        {2, false, "Boris", 1, effect::kPlayerWon},
                        {2, true, "Boris", 0, effect::kPlayerWon}};
  OEndGameDialog dialog(&window);
  dialog.Init();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.winner << c.twoPlayers);
    effects.played.clear();
    dialog.Prepare(c.winner, c.twoPlayers, "Comp", "Boris");
    Show(dialog);
    EXPECT_EQ(dialog.Name()->Text(), c.name);
    EXPECT_EQ(effects.played, std::vector<int>{c.effect});
    dialog.OnFrame(1000);  // ticks keep the chosen frame on show
    EXPECT_EQ(dialog.Cup()->CurrentPicture(), dialog.Cup()->frames[c.frame]);
    dialog.OnKeyDown(platform::vk::kReturn, 0);
  }
}

TEST_F(MenuScreensTest, TextSpriteRedrawsOnlyForANewTextAndKeepsItsLineGap) {
  OTextSprite label(OMenuScreen::TextStyle(), 120, 80);
  label.SetLineGap(15);
  label.SetText("A<br>B", 0);
  const int renders = text.renderCalls;
  label.SetText("A<br>B", 0);
  EXPECT_EQ(text.renderCalls, renders);
  // The frame shows the box's pixels: the second line one line height plus the gap lower.
  std::vector<int> lineTops;
  const OSurface& shown = *label.CurrentPicture();
  for (int y = 1; y < shown.Height(); ++y)
    if (shown.PixelAt(3, y) == kInk && shown.PixelAt(3, y - 1) != kInk) lineTops.push_back(y);
  ASSERT_EQ(lineTops.size(), 2u);
  EXPECT_EQ(lineTops[1] - lineTops[0], label.Box().LineHeight(0) + 15);
}

class IntroTest : public MenuScreensTest {
 protected:
  IntroTest() {
    intro.Init();
    intro.onClose = [this] { ++closes; };
    intro.ShowModal(&slot);
  }
  OIntroScreen intro{&window};
  int closes = 0;
};

TEST_F(IntroTest, ClosesOnceAfter7001MillisecondsOrAtOnceOnAClickOrKey) {
  for (int tick = 0; tick < 233; ++tick) intro.OnFrame(30);  // 6990 ms
  intro.OnFrame(10);
  EXPECT_EQ(closes, 0) << "7000 ms are not yet enough";
  intro.OnFrame(1);
  intro.OnFrame(30);
  intro.OnLButtonUp(10, 10);
  EXPECT_EQ(closes, 1);
  intro.ShowModal(&slot);
  intro.OnLButtonUp(10, 10);
  intro.ShowModal(&slot);
  intro.OnKeyDown(platform::vk::kSpace, 0);
  EXPECT_EQ(closes, 3);
  // Without a close action it hands back to the screen below.
  intro.onClose = nullptr;
  intro.ShowModal(&slot);
  intro.OnKeyDown('A', 0);
  EXPECT_EQ(below.closed, (std::vector<std::pair<OScreen*, int>>{{&intro, 0}}));
}

TEST_F(IntroTest, EachTickDrawsOneRandomNumber) {
  SeedRand(99);
  for (int tick = 0; tick < 10; ++tick) intro.OnFrame(30);
  const int afterIntro = Rand();
  SeedRand(99);
  for (int tick = 0; tick < 10; ++tick) Rand();
  EXPECT_EQ(afterIntro, Rand());
}

TEST(IntroDeathTest, AMissingPictureEndsTheProgramWithItsOwnMessage) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EmptyFolder empty;
  WorkingFolder folder(empty.path);
  OIntroScreen intro(nullptr);
  EXPECT_EXIT(intro.Init(), ::testing::ExitedWithCode(255), "File i1.clp not found!!!");
}

TEST(SharedPictures, LoadOnceAndCopiesOutliveTheTables) {
  {
    WorkingFolder folder(TAVLERO_DATA_DIR);
    LoadSharedPictures();
  }
  const OSprite* ok = &ButtonPicture(2);
  EXPECT_FALSE(ButtonPicture(26).HasContent());
  {
    // Loaded tables are not read again: a folder without pictures would end the program.
    EmptyFolder empty;
    WorkingFolder folder(empty.path);
    LoadSharedPictures();
  }
  EXPECT_EQ(&ButtonPicture(2), ok);
  std::unique_ptr<OSprite> copy(NewSpriteOf(BackgroundPicture(12), 5, 6, 7));
  const std::uint32_t face = copy->CurrentPicture()->PixelAt(200, 150);
  FreeSharedPictures();
  EXPECT_EQ(copy->CurrentPicture()->PixelAt(200, 150), face);
  WorkingFolder folder(TAVLERO_DATA_DIR);
  LoadSharedPictures();
}

// The two dialogs over a grey board, drawn with real fonts, for people to look at.
class DialogPreviewTest : public MenuScreensTest {
 protected:
  // The window's pixels as a picture, written to the test output folder.
  void Save(const std::string& name) {
    OSurface shot(800, 600);
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x) shot.SetPixel(x, y, desktop.PixelAt(x, y));
    std::filesystem::create_directories(TAVLERO_TEST_OUTPUT_DIR);
    EXPECT_TRUE(WriteSurfacePng(shot, std::string(TAVLERO_TEST_OUTPUT_DIR) + "/" + name, false));
  }
  // Pixels of exactly this colour in the rectangle (dialog coordinates).
  int Count(const OScreen& dialog, ORect area, std::uint32_t colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        count += desktop.PixelAt(dialog.X() + x, dialog.Y() + y) == colour;
    return count;
  }

  platform::SdlTextRenderer fonts;
  platform::ScopedServices realFonts{platform::Services{&desktop, &fonts, nullptr}};
};

TEST_F(DialogPreviewTest, ConfirmationAndEndOfGameDialogsOverTheBoard) {
  OConfirmDialog confirm(&window);
  Show(confirm);
  // Grey around the dialog, the title plaque over the frame, ink in the message box only.
  EXPECT_EQ(desktop.PixelAt(confirm.X() - 2, confirm.Y() + 100), kGrey);
  EXPECT_EQ(Count(confirm, {150, 5, 270, 40}, kFace), 0);
  EXPECT_GT(Count(confirm, {24, 70, 396, 200}, kInk), 40);
  EXPECT_EQ(Count(confirm, {24, 205, 396, 235}, kInk), 0);
  Save("dialog-preview-confirmation.png");

  OEndGameDialog endOfGame(&window);
  // "Компьютер" and "Борис" in CP1251.
  endOfGame.Prepare(2, false, "\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0", "\xC1\xEE\xF0\xE8\xF1");
  Show(endOfGame);
  EXPECT_GT(Count(endOfGame, {20, 182, 400, 210}, kInk), 20);
  EXPECT_LT(Count(endOfGame, {110, 56, 310, 176}, kFace), 200 * 120 - 5000) << "the cup is drawn";
  Save("dialog-preview-end-of-game.png");
}

}  // namespace
}  // namespace tavlero
