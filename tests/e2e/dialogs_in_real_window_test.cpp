// Every dialog and the help window opened by clicks in the built game on a real X
// display, an option and the players changed, a screenshot of each kept for people to
// look at; what was changed is read back from the options file the game wrote.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "real_window_game.h"

namespace tavlero::e2e {
namespace {

constexpr std::uint32_t kDialogFace = 0xD28031;
constexpr int kShownMs = 10000;

// Near the dialogs' face colour, whatever the screen's rounding.
bool IsFace(std::uint32_t pixel) {
  auto near = [&](int shift) {
    return std::abs(static_cast<int>((pixel >> shift) & 0xFF) - static_cast<int>((kDialogFace >> shift) & 0xFF)) < 16;
  };
  return near(16) && near(8) && near(0);
}

class DialogsInRealWindow : public RealWindowGame {
 protected:
  // Clicks at (x, y) of the window and waits until the face of a dialog shows at
  // (faceX, faceY); keeps the screenshot under `name`.
  void OpenAndShow(int x, int y, int faceX, int faceY, const std::string& name) {
    ASSERT_TRUE(display.Click(window, x, y));
    WaitForFace(faceX, faceY, name);
  }
  void WaitForFace(int faceX, int faceY, const std::string& name) {
    RgbImage shot;
    const bool shown = PollUntil(kShownMs, [&] {
      shot = WindowShot();
      return shot.width == 800 && IsFace(shot.Pixel(faceX, faceY));
    });
    if (shot.width > 0) SavePng(shot, name);
    ASSERT_TRUE(shown) << name << ": no dialog face at (" << faceX << ", " << faceY << ")\n" << GameLog();
  }
  // Presses keys and waits until the board is back (no dialog face where it was).
  void CloseWith(const std::string& keys, int faceX, int faceY) {
    display.Key(window, keys);
    ASSERT_TRUE(PollUntil(kShownMs, [&] {
      const RgbImage shot = WindowShot();
      return shot.width == 800 && !IsFace(shot.Pixel(faceX, faceY));
    })) << "the dialog did not close on " << keys;
  }
};

TEST_F(DialogsInRealWindow, EveryDialogOpensByClicksAndTheChangesAreKept) {
  GameOptions options;
  options.Reset();
  options.autosave = 0;
  StartWith(options);
  if (HasFatalFailure()) return;

  // Exit without Autosave asks first; "Играть" keeps the game.
  OpenAndShow(778, 13, 350, 367, "e2e-exit-dialog.png");
  ASSERT_TRUE(display.Click(window, 140 + 150 + 60, 147 + 240 + 20));
  ASSERT_TRUE(PollUntil(kShownMs, [&] { return !IsFace(WindowShot().Pixel(350, 367)); }));

  // Options: Autosave switched on, then OK.
  OpenAndShow(700, 249, 430, 417, "e2e-options-dialog.png");
  ASSERT_TRUE(display.Click(window, 130 + 40 + 13, 97 + 154 + 13));
  CloseWith("Return", 430, 417);

  // Game selection, then the players: two people, the first one named.
  OpenAndShow(700, 298, 480, 377, "e2e-game-selection.png");
  OpenAndShow(130 + 260 + 80, 77 + 62 + 20, 480, 317, "e2e-players-before.png");
  ASSERT_TRUE(display.Click(window, 130 + 40 + 110, 77 + 212 + 15));
  ASSERT_TRUE(display.Click(window, 130 + 170 + 120, 77 + 80 + 15));
  display.Key(window, "End");
  for (int i = 0; i < 12; ++i) display.Key(window, "BackSpace");
  for (const char* letter : {"I", "v", "a", "n"}) display.Key(window, letter);
  WaitForFace(480, 317, "e2e-players-after.png");
  display.Key(window, "Return");
  WaitForFace(480, 377, "e2e-game-selection-after.png");
  CloseWith("Return", 480, 377);

  // The help, its second page, and back.
  OpenAndShow(688, 13, 89, 317, "e2e-help.png");
  display.Key(window, "Next");
  WaitForFace(89, 317, "e2e-help-page-down.png");
  CloseWith("Escape", 89, 317);

  // With Autosave on now, the exit button leaves at once.
  ASSERT_TRUE(display.Click(window, 778, 13));
  const std::optional<int> status = game.WaitExit(kExitMs);
  ASSERT_TRUE(status) << "the game did not end on the exit button\n" << GameLog();
  EXPECT_TRUE(WIFEXITED(*status)) << GameLog();

  GameOptions kept;
  ASSERT_TRUE(LoadGameOptions(OptionsFile().string(), kept));
  EXPECT_EQ(kept.autosave, 1);
  EXPECT_TRUE(kept.twoPlayers);
  EXPECT_EQ(kept.playerName1, "Ivan");
  EXPECT_EQ(kept.playerName2, DefaultSecondPlayerName());
}

}  // namespace
}  // namespace tavlero::e2e
