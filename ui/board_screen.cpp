#include "ui/board_screen.h"

#include <cstdio>
#include <string>

#include "app/dialog_placement.h"
#include "app/window.h"
#include "game/game_history.h"
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
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {

namespace {

constexpr int kPanelX = 600;
constexpr double kBoardBackdropDepth = 10000, kPanelBackdropDepth = 10001;
constexpr double kButtonDepth = -15, kTopRowDepth = -10;
constexpr double kDemoBannerDepth = -10000;

// The backdrop each kind is played on: 0 the 8 x 8 board, 1 the 14 x 14 board, 2 the
// rhombus, 3 the dice board.
int BackdropOfKind(int kind) {
  switch (kind) {
    case 2: return 1;
    case 4: return 2;
    case 8: return 3;
    default: return 0;
  }
}

// Names and counters: dark ink on the name plates' parchment.
OTextStyle PanelTextStyle(int sizePoints) {
  OTextStyle style;
  style.textColour = 0x3A2410;
  style.backgroundColour = 0xF3E6C6;  // the plates' parchment, so the letters' edges blend into it
  style.styleFlags = OTextStyle::kBold;
  style.sizePoints = sizePoints;
  style.faceName = "Times New Roman";
  return style;
}

}  // namespace

OBoardScreen::OBoardScreen(OWindow* owner) : OScreen(owner, 0, 0, kWidth, kHeight) {
  keepDepthOrder = true;
}

OBoardScreen::~OBoardScreen() = default;

void OBoardScreen::AddPanelSprite(OSprite* sprite, double x, double y, double z) {
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  AddSprite(sprite);
}

OButton* OBoardScreen::AddPanelButton(int picture, double x, double y, double z) {
  auto* button = NewSpriteOf<OButton>(ButtonPicture(picture), x, y, z);
  AddControl(button);
  return button;
}

void OBoardScreen::Init() {
  static constexpr int kBackdropPictures[4] = {2, 4, 12, 13};
  for (int i = 0; i < 4; ++i) {
    boardBackdrops_[i] = NewSpriteOf(JpPicture(kBackdropPictures[i]), 0, 0, kBoardBackdropDepth);
    AddSprite(boardBackdrops_[i]);
  }
  AddSprite(NewSpriteOf(JpPicture(9), kPanelX, 0, kPanelBackdropDepth));
  kindDisplay_ = NewSpriteOf(BackgroundPicture(5), 605, 30, -10);
  levelDisplay_ = NewSpriteOf(BackgroundPicture(4), 606, 100, -5);
  AddSprite(kindDisplay_);
  AddSprite(levelDisplay_);

  newGameButton_ = AddPanelButton(0, 605, 128, kButtonDepth);
  demoButton_ = AddPanelButton(6, 605, 178, kButtonDepth);
  optionsButton_ = AddPanelButton(21, 605, 229, kButtonDepth);
  gameButton_ = AddPanelButton(14, 605, 278, kButtonDepth);
  undoButton_ = AddPanelButton(1, 605, 379, kButtonDepth);
  // The top row starts right of the drag grip.
  const OSprite& grip = ButtonPicture(16);
  AddSprite(NewSpriteOf(grip, 633, 0, kTopRowDepth));
  int x = 633 + grip.width;
  OButton** topRow[] = {&helpButton_, &fullScreenButton_, &minimiseButton_, &exitButton_};
  static constexpr int kTopRowPictures[] = {3, 17, 23, 4};
  for (int i = 0; i < 4; ++i) {
    *topRow[i] = AddPanelButton(kTopRowPictures[i], x, 0, kTopRowDepth);
    x += (*topRow[i])->width;
  }

  for (int i = 0; i < 2; ++i) {
    const int plateY = i == 0 ? 440 : 503;
    plates_[i] = NewSpriteOf(BackgroundPicture(1), 605, plateY, 10);
    AddSprite(plates_[i]);
    nameLabels_[i] = new OTextSprite(PanelTextStyle(12), 176, 22);
    AddPanelSprite(nameLabels_[i], 612, plateY + 12, -100);
    counterIcons_[i] = NewSpriteOf(BackgroundPicture(10), 635, plateY + 15, -3);
    AddSprite(counterIcons_[i]);
    counters_[i] = new OTextSprite(PanelTextStyle(14), 90, 22);
    AddPanelSprite(counters_[i], 685, plateY + 37, -3);
  }
  demoBanners_[0] = NewSpriteOf(BackgroundPicture(3), 30, 500, kDemoBannerDepth);
  demoBanners_[1] = NewSpriteOf(BackgroundPicture(2), 370, 500, kDemoBannerDepth);
  for (OSprite* banner : demoBanners_) {
    banner->visible = false;
    AddSprite(banner);
  }
  passNotice_ = NewSpriteOf(ButtonPicture(25), 170, 272, -200);
  passNotice_->visible = false;
  AddSprite(passNotice_);
  undoButton_->visible = false;
  LoadPictures();
}

void OBoardScreen::RefreshPanel() {
  const int backdrop = BackdropOfKind(options.gameKind);
  for (int i = 0; i < 4; ++i) boardBackdrops_[i]->visible = i == backdrop;
  for (int i = 0; i < 2; ++i) {
    plates_[i]->visible = true;
    nameLabels_[i]->visible = true;
    // The first player's pieces are the dark ones.
    counterIcons_[i]->SetFrame(i == 0 ? 1 : 0, -1);
    counters_[i]->visible = options.gameKind != 8;
    shownCounts_[i] = -1;
  }
  ShowPieceCounts(0, 0);
  UpdateLabels();
  AddDirtyRect({0, 0, kWidth, kHeight});
}

void OBoardScreen::ShowPieceCounts(int first, int second) {
  const int counts[2] = {first, second};
  for (int i = 0; i < 2; ++i) {
    if (counts[i] == shownCounts_[i]) continue;
    shownCounts_[i] = counts[i];
    counters_[i]->SetText(std::to_string(counts[i]), 0);
  }
}

void OBoardScreen::SetUndoVisible(bool visible) {
  options.undoVisible = visible;
  SetControlVisible(undoButton_, visible);
}

void OBoardScreen::UpdateLabels() {
  nameLabels_[0]->SetText(options.playerName1, 2);
  nameLabels_[1]->SetText(options.playerName2, 2);
  kindDisplay_->SetFrame(options.gameKind, -1);
  levelDisplay_->SetFrame(options.level, -1);
}

std::string OBoardScreen::SavedGamePath() const { return GameHistory::FileName(options.gameKind); }

bool OBoardScreen::SaveOptions() {
  options.soundVolume = Effects().Volume();
  options.musicVolume = Music().Volume();
  std::string failure;
  if (SaveGameOptions(kOptionsFileName, options, &failure)) return true;
  // The player is not interrupted: the last good file stays, and the log says why.
  std::fprintf(stderr, "Tavlero: the options could not be saved to %s (%s)\n", kOptionsFileName, failure.c_str());
  return false;
}

void OBoardScreen::LoadOptions() {
  options.soundVolume = Effects().Volume();
  options.musicVolume = Music().Volume();
  // An unusable file gives the reset values, and no snapshot survives them.
  if (!LoadGameOptions(kOptionsFileName, options)) snapshot.Drop();
  Effects().SetVolume(options.soundVolume);
  Music().SetVolume(options.musicVolume);
  Effects().SetEnabled(options.sound != 0);
  SetControlVisible(undoButton_, options.undoVisible);
  if (OWindow* window = Owner()) {
    if (options.windowMode == 1 && !window->IsFullScreen()) window->EnterFullScreen();
    if (options.windowMode == 1 && !window->IsFullScreen()) options.windowMode = 0;
  }
}

void OBoardScreen::ShowModal(OScreen** ownerSlot) {
  Load();
  RefreshPanel();
  OScreen::ShowModal(ownerSlot);
}

void OBoardScreen::PlayEffect(int id) {
  if (!DemoRunning()) Effects().Play(id, true);
}

bool OBoardScreen::StopDemoIfRunning() {
  if (!DemoRunning()) return false;
  StopDemo();
  return true;
}

void OBoardScreen::ShowDemoBanners(bool shown) {
  blinkTimer_ = 0;
  for (OSprite* banner : demoBanners_) banner->visible = shown;
}

void OBoardScreen::Blink(int elapsedMs) {
  if (!DemoRunning() && !options.paused) return;
  blinkTimer_ += elapsedMs;
  if (blinkTimer_ <= kBlinkMs) return;
  blinkTimer_ = 0;
  if (!DemoRunning()) return;  // the banners exist only while the demonstration runs
  for (OSprite* banner : demoBanners_) banner->visible = !banner->visible;
}

void OBoardScreen::OnFrame(int elapsedMs) {
  if (options.newGameNeeded && !endDialogUp_ && !DemoRunning()) {
    NewGame();
    options.newGameNeeded = 0;
    OScreen::OnFrame(elapsedMs);
    return;
  }
  if (dragging_) {
    if (OWindow* window = Owner()) {
      int cx = 0, cy = 0;
      window->GetCursorClientPos(cx, cy);
      if (cx != grabX_ || cy != grabY_)
        window->SetPlacement(window->WindowX() + cx - grabX_, window->WindowY() + cy - grabY_, 0, 0);
    }
    OScreen::OnFrame(elapsedMs);
    return;
  }
  Blink(elapsedMs);
  UpdateLabels();
  OScreen::OnFrame(elapsedMs);
}

OControl* OBoardScreen::OnLButtonDown(int x, int y) {
  if (y <= kDragRows && x <= kWidth) {
    // The top rows drag the window; the press reaches no control.
    dragging_ = true;
    grabX_ = x;
    grabY_ = y;
    return nullptr;
  }
  return OScreen::OnLButtonDown(x, y);
}

OControl* OBoardScreen::OnLButtonUp(int x, int y) {
  dragging_ = false;
  OControl* control = OScreen::OnLButtonUp(x, y);
  if (DemoRunning() && x < kPanelX && y > kDragRows) StopDemo();
  return control;
}

bool OBoardScreen::ShowDialog(OScreen* dialog) {
  if (!dialog || !OwnerSlot()) return false;
  ShowDialogScreen(*dialog, OwnerSlot());
  return true;
}

void OBoardScreen::OpenHelp() { ShowDialog(dialogs_.help); }

void OBoardScreen::RequestNewGame() {
  kindAtNewGame_ = options.gameKind;
  if (options.score > 0 && !bannerShown && ShowDialog(dialogs_.confirmation)) return;
  bannerShown = false;
  options.newGameNeeded = 1;
}

void OBoardScreen::ToggleFullScreen() {
  OWindow* window = Owner();
  if (!window) return;
  if (window->IsFullScreen()) {
    window->LeaveFullScreen();
  } else {
    window->EnterFullScreen();
  }
  options.windowMode = window->IsFullScreen() ? 1 : 0;
  AddDirtyRect({0, 0, kWidth, kHeight});
}

void OBoardScreen::OnControl(OControl* control) {
  Effects().Play(effect::kClick, true);
  if (control == newGameButton_) {
    RequestNewGame();
  } else if (control == demoButton_) {
    StartDemo();
  } else if (control == optionsButton_) {
    StopDemoIfRunning();
    if (dialogs_.options) dialogs_.options->Prepare(&options, dialogs_.confirmation);
    ShowDialog(dialogs_.options);
  } else if (control == gameButton_) {
    StopDemoIfRunning();
    bannerShown = false;
    if (dialogs_.gameSelection)
      dialogs_.gameSelection->Prepare(&options, dialogs_.players, dialogs_.confirmation);
    ShowDialog(dialogs_.gameSelection);
  } else if (control == helpButton_) {
    OpenHelp();
  } else if (control == fullScreenButton_) {
    ToggleFullScreen();
  } else if (control == minimiseButton_) {
    if (OWindow* window = Owner()) window->Show(false);
  } else if (control == exitButton_) {
    // Without Autosave the player is reminded first that the game will not be kept.
    if (options.autosave || !ShowDialog(dialogs_.exit)) {
      if (OWindow* window = Owner()) window->RequestClose();
    }
  }
}

void OBoardScreen::OnKeyDown(int key, int modifiers) {
  if (key == platform::vk::kF1) {
    OpenHelp();
    return;
  }
  OScreen::OnKeyDown(key, modifiers);
}

void OBoardScreen::OpenEndOfGameDialog() {
  AddDirtyRect({0, 0, kWidth, kHeight});
  if (!dialogs_.endOfGame) {
    options.newGameNeeded = 1;
    return;
  }
  dialogs_.endOfGame->Prepare(Winner(), options.twoPlayers, options.playerName1, options.playerName2);
  endDialogUp_ = true;
  if (OwnerSlot()) ShowDialogScreen(*dialogs_.endOfGame, OwnerSlot());
}

void OBoardScreen::ApplyOptionsDialog() {
  const OOptionsDialog& dialog = *dialogs_.options;
  options.level = dialog.ChosenLevel();
  options.sound = dialog.SoundChecked() ? 1 : 0;
  Effects().SetEnabled(options.sound != 0);
  options.autosave = dialog.AutosaveChecked() ? 1 : 0;
  if (dialog.NewGameAsked()) options.newGameNeeded = 1;
  SaveOptions();
}

void OBoardScreen::OnModalClosed(OScreen* screen, int result) {
  if (screen == nullptr) return;
  if (screen == dialogs_.confirmation) {
    if (result == 0) {
      StopDemoIfRunning();
      options.gameKind = kindAtNewGame_;
      bannerShown = false;
      options.newGameNeeded = 1;
    } else {
      options.newGameNeeded = 0;
    }
  } else if (screen == dialogs_.endOfGame) {
    endDialogUp_ = false;
    options.newGameNeeded = 1;
  } else if (screen == dialogs_.options && result == 0) {
    ApplyOptionsDialog();
  } else if (screen == dialogs_.gameSelection && result == 0) {
    SwitchGame(dialogs_.gameSelection->ChosenKind(), dialogs_.gameSelection->PlayersChanged());
    SaveOptions();
  } else if (screen == dialogs_.exit && (result == 0 || result == 2)) {
    if (OWindow* window = Owner()) window->RequestClose();
  }
  AddDirtyRect({0, 0, kWidth, kHeight});
}

}  // namespace tavlero
