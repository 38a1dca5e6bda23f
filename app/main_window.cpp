#include "app/main_window.h"

#include <dirent.h>

#include <algorithm>
#include <string>

#include "app/dialog_placement.h"
#include "app/screen.h"
#include "platform/window_system.h"
#include "sound/effects_player.h"
#include "sound/music_player.h"
#include "ui/confirm_dialog.h"
#include "ui/end_game_dialog.h"
#include "ui/exit_dialog.h"
#include "ui/game_select_dialog.h"
#include "ui/help_window.h"
#include "ui/options_dialog.h"
#include "ui/players_dialog.h"
#include "ui/game_screen.h"
#include "ui/intro_screen.h"
#include "ui/picture_tables.h"

namespace tavlero {

namespace {
OMainWindow* g_mainWindow = nullptr;
constexpr int kBoardWidth = 800, kBoardHeight = 600;
constexpr int kIntroSize = 400;
constexpr std::uint32_t kIntroBackground = 0xC8C8C8;

// Every dialog-like screen starts hidden at (0, 0) and draws by dirty rectangles.
template <class Screen>
Screen* PrepareDialog(Screen* screen) {
  screen->Init();
  screen->backgroundColour = 0;
  screen->redrawMode = OScreen::kRedrawDirty;
  return screen;
}
}  // namespace

OMainWindow* TheMainWindow() { return g_mainWindow; }

OMainWindow::OMainWindow() { g_mainWindow = this; }

OMainWindow::~OMainWindow() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool OMainWindow::OnCreate() {
  // The game object: the board screen that fills the window.
  game_ = new OGameScreen(this);
  SetCloseRequested(true);

  intro_ = new OIntroScreen(this);
  intro_->backgroundColour = kIntroBackground;
  intro_->redrawMode = OScreen::kRedrawFull;
  intro_->Init();
  intro_->onClose = [this] { ShowBoard(); };
  int desktopWidth = 0, desktopHeight = 0;
  GetDisplaySize(desktopWidth, desktopHeight);
  SetPlacement((desktopWidth - kIntroSize) / 2, (desktopHeight - kIntroSize) / 2, kIntroSize, kIntroSize);
  intro_->ShowModal(&currentScreen_);

  LoadSharedPictures();
  LoadGameEffects(Effects());  // wav/i0.wav ... wav/i8.wav into slots 0 ... 8
  game_->Init();
  game_->backgroundColour = 0;
  game_->redrawMode = OScreen::kRedrawDirty;

  BoardDialogs dialogs;
  dialogs.endOfGame = PrepareDialog(new OEndGameDialog(this));
  dialogs.confirmation = PrepareDialog(new OConfirmDialog(this));
  dialogs.options = PrepareDialog(new OOptionsDialog(this));
  dialogs.gameSelection = PrepareDialog(new OGameSelectDialog(this));
  dialogs.players = PrepareDialog(new OPlayersDialog(this));
  dialogs.exit = PrepareDialog(new OExitDialog(this));
  dialogs.help = PrepareDialog(new OHelpWindow(this));
  screens_ = {dialogs.endOfGame, dialogs.confirmation, dialogs.options, dialogs.gameSelection,
              dialogs.players,   dialogs.exit,         dialogs.help};
  game_->SetDialogs(dialogs);
  return true;
}

void OMainWindow::ShowBoard() {
  if (introClosed_) return;
  introClosed_ = true;
  currentScreen_ = nullptr;
  BuildMusicList();
  int desktopWidth = 0, desktopHeight = 0;
  GetDisplaySize(desktopWidth, desktopHeight);
  SetPlacement((desktopWidth - game_->Width()) / 2, (desktopHeight - game_->Height()) / 2, game_->Width(),
               game_->Height());
  game_->ShowModal(&currentScreen_);
  boardShown_ = true;
}

void OMainWindow::BuildMusicList() {
  MusicPlayer& music = Music();
  music.RemoveTrack(-1);
  std::vector<std::string> files;
  if (DIR* folder = opendir("music")) {
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".mid") == 0) files.push_back("music/" + name);
    }
    closedir(folder);
  }
  // The folder's own order differs between file systems; sorted, the list is the same everywhere.
  std::sort(files.begin(), files.end());
  for (std::size_t i = 0; i < files.size(); ++i) music.AddTrack(static_cast<int>(i), files[i]);
  if (game_->options.music) music.Play(MusicPlayer::kRandomTrack);
}

void OMainWindow::OnClosing() {
  if (kept_ || game_ == nullptr || !boardShown_) return;
  kept_ = true;
  if (game_->DemoRunning()) game_->StopDemo();
  // The game in progress is kept for the next start; without Autosave the options are.
  if (game_->options.autosave) {
    game_->Save();
  } else {
    game_->SaveOptions();
  }
}

void OMainWindow::OnDestroy() {
  OnClosing();
  StopMusic();
  Music().RemoveTrack(-1);
  delete game_;
  game_ = nullptr;
  delete intro_;
  intro_ = nullptr;
  for (OScreen* screen : screens_) delete screen;
  screens_.clear();
  currentScreen_ = nullptr;
  pressedScreen_ = nullptr;
  boardShown_ = false;
  FreeSharedPictures();
}

void OMainWindow::StopMusic() { Music().Stop(); }

void OMainWindow::OnFrame(int elapsedMs) {
  // The intro cannot be deleted while it closes itself; it goes on the next tick.
  if (introClosed_ && intro_ != nullptr) {
    delete intro_;
    intro_ = nullptr;
  }
  if (boardShown_) {
    if (!IsForeground()) {
      StopMusic();
    } else if (game_->options.music && !Music().IsPlaying()) {
      Music().Play(MusicPlayer::kRandomTrack);
    }
  }
  if (currentScreen_ != nullptr) currentScreen_->OnFrame(elapsedMs);
}

void OMainWindow::OnPaint(void*) {
  if (currentScreen_ == nullptr) return;
  currentScreen_->PaintBelow();
  currentScreen_->Draw();
}

void OMainWindow::OnMouseMove(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnMouseMove(x, y);
}

void OMainWindow::OnLButtonDown(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnLButtonDown(x, y);
  pressedScreen_ = currentScreen_;
}

void OMainWindow::OnRButtonDown(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnRButtonDown(x, y);
  pressedScreen_ = currentScreen_;
}

// A release reaches only the screen that took the press, so a button released after
// a screen change reaches nobody.
void OMainWindow::OnLButtonUp(int x, int y) {
  if (currentScreen_ != nullptr && currentScreen_ == pressedScreen_) currentScreen_->OnLButtonUp(x, y);
}

void OMainWindow::OnRButtonUp(int x, int y) {
  if (currentScreen_ != nullptr && currentScreen_ == pressedScreen_) currentScreen_->OnRButtonUp(x, y);
}

void OMainWindow::OnKeyDown(int key, int modifiers) {
  switch (key) {
    case platform::vk::kF2:
      LeaveFullScreen();
      if (game_ != nullptr) game_->options.windowMode = 0;
      break;
    case platform::vk::kF3:
      StopMusic();
      Show(false);
      break;
    default:
      if (currentScreen_ != nullptr) currentScreen_->OnKeyDown(key, modifiers);
  }
}

void OMainWindow::OnKeyUp(int key, int modifiers) {
  if (currentScreen_ != nullptr) currentScreen_->OnKeyUp(key, modifiers);
}

void OMainWindow::OnChar(int character, int modifiers) {
  if (currentScreen_ != nullptr) currentScreen_->OnChar(character, modifiers);
}

void OMainWindow::ShowDialog(OScreen* screen) { ShowDialogScreen(*screen, &currentScreen_); }

int RunApplication() {
  static OMainWindow window;
  window.SetBackgroundColour(0x000000);
  window.SetNoCaption(true);
  window.SetNoSizingBorder(true);
  window.SetFrameInterval(30);
  if (!window.Create("Tavlero", "OMainWindow", kBoardWidth, kBoardHeight, 1)) return 0;
  window.ShowAndUpdate();
  return window.Run();
}

}  // namespace tavlero
