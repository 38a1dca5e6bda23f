// The dialogs opened from the board's panel and the help window, driven by clicks and
// keys through the real screens.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "game_test_support.h"
#include "platform/cp1251.h"
#include "sound/music_player.h"
#include "store/sealed_file.h"
#include "ui/confirm_dialog.h"
#include "ui/exit_dialog.h"
#include "ui/game_select_dialog.h"
#include "ui/help_window.h"
#include "ui/options_dialog.h"
#include "ui/players_dialog.h"

namespace tavlero::game_test {
namespace {

constexpr int kEnter = 13, kEscape = 27;

// Presses and releases the left button in the middle of a control of the current screen.
void ClickOn(RunningGame& run, const OSprite* control) {
  const OScreen* screen = run.window->CurrentScreen();
  run.Click(screen->X() + static_cast<int>(control->x) + control->width / 2,
            screen->Y() + static_cast<int>(control->y) + control->height / 2);
}

// The panel buttons, by their place on the board screen.
void ClickPanel(RunningGame& run, int y) { run.Click(700, y + 20); }
constexpr int kOptionsButtonY = 229, kGameButtonY = 278;

TEST(OptionsDialog, CancelPutsEverythingBackAndOkAppliesAndKeepsTheOptions) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0, /*autosave=*/false));
  {
    RunningGame run;
    OGameScreen& game = run.Game();
    OOptionsDialog& dialog = *game.Dialogs().options;
    ClickPanel(run, kOptionsButtonY);
    ASSERT_EQ(run.window->CurrentScreen(), &dialog);
    const int volume = Effects().Volume();
    ClickOn(run, dialog.SoundBox());
    EXPECT_FALSE(Effects().Enabled()) << "the sound goes off at once";
    run.Click(dialog.X() + static_cast<int>(dialog.SoundSlider()->x) + 5, dialog.Y() + static_cast<int>(dialog.SoundSlider()->y) + 5);
    EXPECT_EQ(Effects().Volume(), 65535 / 5) << "the first step is a fifth of the volume";
    ClickOn(run, dialog.Levels().Entries()[2]);
    run.window->OnKeyDown(kEscape, 0);
    EXPECT_EQ(run.window->CurrentScreen(), &game);
    EXPECT_TRUE(Effects().Enabled());
    EXPECT_EQ(Effects().Volume(), volume);
    EXPECT_EQ(game.options.level, 0);

    ClickPanel(run, kOptionsButtonY);
    ClickOn(run, dialog.Levels().Entries()[2]);
    ClickOn(run, dialog.AutosaveBox());
    ClickOn(run, dialog.MusicSlider());
    run.window->OnKeyDown(kEnter, 0);
    EXPECT_EQ(run.window->CurrentScreen(), &game) << "no game runs: no question";
    EXPECT_EQ(game.options.level, 2);
    EXPECT_EQ(game.options.autosave, 1);
  }
  GameOptions kept;
  ASSERT_TRUE(LoadGameOptions(kOptionsFileName, kept));
  EXPECT_EQ(kept.level, 2);
  EXPECT_EQ(kept.autosave, 1);
  EXPECT_EQ(kept.musicVolume, 3 * 65535 / 5) << "the middle step of five";
}

TEST(OptionsDialog, ALevelChangeDuringAGameAsksFirst) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(4));
  RunningGame run;
  OGameScreen& game = run.Game();
  run.ClickCell({0, 0});  // the human's stone and the computer's answer: a game runs
  ASSERT_EQ(game.options.score, 1);
  OOptionsDialog& dialog = *game.Dialogs().options;
  for (const int answer : {kEscape, kEnter}) {
    ClickPanel(run, kOptionsButtonY);
    ClickOn(run, dialog.Levels().Entries()[1]);
    run.window->OnKeyDown(kEnter, 0);
    ASSERT_EQ(run.window->CurrentScreen(), game.Dialogs().confirmation);
    run.window->OnKeyDown(answer, 0);
    if (answer == kEscape) {
      EXPECT_EQ(run.window->CurrentScreen(), &dialog) << "the options stay open";
      EXPECT_EQ(dialog.Levels().Chosen(), 0) << "with the level put back";
      run.window->OnKeyDown(kEscape, 0);
      run.Tick();
      EXPECT_EQ(game.history.latest, 2) << "the game goes on";
    }
  }
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  EXPECT_EQ(game.options.level, 1);
  run.Tick();
  EXPECT_EQ(game.history.latest, 0) << "the new level starts a new game";
}

TEST(GameSelection, AnotherKindStartsAtOnceAndAskedWhenAGameWouldBeLost) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0, /*autosave=*/false));
  RunningGame run;
  OGameScreen& game = run.Game();
  OGameSelectDialog& dialog = *game.Dialogs().gameSelection;
  ClickPanel(run, kGameButtonY);
  ASSERT_EQ(run.window->CurrentScreen(), &dialog);
  EXPECT_EQ(dialog.Kinds().Chosen(), 0);
  ClickOn(run, dialog.Kinds().Entries()[4]);
  run.window->OnKeyDown(kEnter, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  EXPECT_EQ(game.Kind(), 4);
  EXPECT_EQ(game.Engine()->boardSize, 11);

  run.ClickCell({0, 0});
  ASSERT_EQ(game.options.score, 1);
  ClickPanel(run, kGameButtonY);
  ClickOn(run, dialog.Kinds().Entries()[2]);
  run.window->OnKeyDown(kEnter, 0);
  ASSERT_EQ(run.window->CurrentScreen(), game.Dialogs().confirmation);
  run.window->OnKeyDown(kEnter, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  EXPECT_EQ(game.Kind(), 2);
}

TEST(GameSelection, WithAutosaveEachKindKeepsItsGameWhenTheOtherIsChosen) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(4));
  RunningGame run;
  OGameScreen& game = run.Game();
  run.ClickCell({0, 0});
  const std::vector<int> rhombus(game.Engine()->cells, game.Engine()->cells + 121);
  OGameSelectDialog& dialog = *game.Dialogs().gameSelection;
  for (const int kind : {1, 4}) {
    ClickPanel(run, kGameButtonY);
    ClickOn(run, dialog.Kinds().Entries()[kind]);
    run.window->OnKeyDown(kEnter, 0);
    EXPECT_EQ(run.window->CurrentScreen(), &game) << "nothing is lost, nothing asked";
    EXPECT_EQ(game.Kind(), kind);
  }
  EXPECT_EQ(std::vector<int>(game.Engine()->cells, game.Engine()->cells + 121), rhombus);
}

TEST(PlayersDialog, TheFirstNameFollowsTheOpponentAndCancelChangesNothing) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0, false));
  RunningGame run;
  OGameScreen& game = run.Game();
  OGameSelectDialog& selection = *game.Dialogs().gameSelection;
  OPlayersDialog& players = *game.Dialogs().players;
  ClickPanel(run, kGameButtonY);
  ClickOn(run, selection.PlayersButton());
  ASSERT_EQ(run.window->CurrentScreen(), &players);
  EXPECT_TRUE(players.Field(1)->hasFocus);
  ClickOn(run, players.Field(0));
  run.window->OnChar('Z', 0);
  EXPECT_EQ(players.Field(0)->Text(), DefaultFirstPlayerName()) << "the computer's name cannot be edited";
  EXPECT_FALSE(players.Field(0)->hasFocus);

  ClickOn(run, players.Opponent().Entries()[1]);
  ClickOn(run, players.Field(0));
  run.window->OnKeyDown(platform::vk::kEnd, 0);
  run.window->OnChar('!', 0);
  run.window->OnKeyDown(kEscape, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &selection);
  EXPECT_FALSE(game.options.twoPlayers) << "Cancel writes nothing back";
  EXPECT_EQ(game.options.playerName1, DefaultFirstPlayerName());

  ClickOn(run, selection.PlayersButton());
  ClickOn(run, players.Opponent().Entries()[1]);
  ClickOn(run, players.Field(0));
  run.window->OnKeyDown(platform::vk::kEnd, 0);
  for (const char c : platform::Utf8ToCp1251("Ваня")) run.window->OnChar(static_cast<signed char>(c), 0);
  ClickOn(run, players.Opponent().Entries()[0]);
  EXPECT_EQ(players.Field(0)->Text(), DefaultFirstPlayerName()) << "the computer again: its name comes back";
  ClickOn(run, players.Opponent().Entries()[1]);
  ClickOn(run, players.Field(0));
  run.window->OnKeyDown(platform::vk::kEnd, 0);
  for (int i = 0; i < 12; ++i) run.window->OnChar(platform::vk::kBack, 0);  // Backspace comes as a character
  for (const char c : platform::Utf8ToCp1251("Ваня")) run.window->OnChar(static_cast<signed char>(c), 0);
  run.window->OnKeyDown(kEnter, 0);
  EXPECT_TRUE(game.options.twoPlayers);
  EXPECT_EQ(game.options.playerName1, platform::Utf8ToCp1251("Ваня"));
  run.window->OnKeyDown(kEnter, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  EXPECT_FALSE(game.OneHuman());
}

TEST(ExitDialog, WithoutAutosaveItAsksAndPlayingOnKeepsTheProgram) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0, false));
  RunningGame run;
  OGameScreen& game = run.Game();
  run.Click(778, 13);
  ASSERT_EQ(run.window->CurrentScreen(), game.Dialogs().exit);
  ClickOn(run, game.Dialogs().exit->StayButton());
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  EXPECT_TRUE(run.desktop.HasWindow());
  run.Click(778, 13);
  run.window->OnKeyDown(kEnter, 0);
  EXPECT_FALSE(run.desktop.HasWindow()) << "OK leaves";
}

TEST(HelpWindow, F1OpensItAndItsScrollRulesHold) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(0, false));
  RunningGame run;
  OGameScreen& game = run.Game();
  run.window->OnKeyDown(platform::vk::kF1, 0);
  OHelpWindow& help = *game.Dialogs().help;
  ASSERT_EQ(run.window->CurrentScreen(), &help);
  ODocumentView& view = *help.View();
  ASSERT_GT(view.Range(), view.PageSize()) << "the manual is longer than two pages";

  // A held arrow key scrolls by the step on every tick until it is released.
  run.window->OnKeyDown(platform::vk::kDown, 0);
  run.Tick(3);
  EXPECT_EQ(view.Position(), 3 * view.step);
  run.window->OnKeyUp(platform::vk::kDown, 0);
  run.Tick(3);
  EXPECT_EQ(view.Position(), 3 * view.step);

  // Page down at the end stays at the last page; the thumb is at the bottom of its track.
  run.window->OnKeyDown(platform::vk::kEnd, 0);
  run.window->OnKeyDown(platform::vk::kPageDown, 0);
  EXPECT_EQ(view.Position(), view.Range());
  const int bottom = view.ThumbTop();
  run.window->OnKeyDown(platform::vk::kHome, 0);
  EXPECT_EQ(view.Position(), 0);
  EXPECT_LT(view.ThumbTop(), bottom);

  // Dragging the thumb half way down its track shows the middle of the document.
  const OSprite* thumb = view.Thumb();
  const int grabX = help.X() + static_cast<int>(thumb->x) + 5, grabY = help.Y() + view.ThumbTop() + 5;
  run.desktop.cursorX = grabX;
  run.desktop.cursorY = grabY;
  run.window->OnLButtonDown(grabX, grabY);
  run.desktop.cursorY = grabY + (bottom - view.ThumbTop()) / 2;
  run.Tick();
  run.window->OnLButtonUp(grabX, run.desktop.cursorY);
  EXPECT_NEAR(view.Position(), view.Range() / 2, view.Range() / 20 + 2);

  // A document shorter than the view does not scroll, and its thumb stays at the top.
  view.SetText("short");
  EXPECT_EQ(view.Range(), 0);
  const int thumbTop = view.ThumbTop();
  run.window->OnKeyDown(platform::vk::kPageDown, 0);
  EXPECT_EQ(view.Position(), 0);
  EXPECT_EQ(view.ThumbTop(), thumbTop);
  run.window->OnKeyDown(kEscape, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &game);
}

TEST(HelpWindow, ADamagedDocumentShowsInvalidFile) {
  WorkingFolder folder;
  ::unlink(kHelpFileName);
  std::ofstream(kHelpFileName, std::ios::binary) << SealBytes("<b>help", "another key");
  EXPECT_EQ(LoadDocumentText(kHelpFileName, kHelpKey), "Invalid file");
  EXPECT_EQ(LoadDocumentText("cfg/missing.dat", kHelpKey), "Invalid file");
  EXPECT_EQ(LoadDocumentText("", kHelpKey), "Invalid file name");
}

}  // namespace
}  // namespace tavlero::game_test
