#include "ui/game_select_dialog.h"

#include "app/dialog_placement.h"
#include "ui/confirm_dialog.h"
#include "ui/picture_tables.h"
#include "ui/players_dialog.h"

namespace tavlero {

namespace {
constexpr int kKindListPicture = 13;  // button table
}  // namespace

OGameSelectDialog::OGameSelectDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OGameSelectDialog::~OGameSelectDialog() = default;

void OGameSelectDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  PlaceButtons(90, 380, 230, 380);
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  kinds_ = std::make_unique<OChoiceList>(ButtonPicture(kKindListPicture), kKinds, content_.x + 30, content_.y + 62, 32);
  for (OListEntry* entry : kinds_->Entries()) AddControl(entry);
  playersButton_ = static_cast<OButton*>(AddAt(NewSpriteOf<OButton>(JpPicture(kPlayersPicture), 0, 0, 0), 260, 62));
}

void OGameSelectDialog::Prepare(GameOptions* options, OPlayersDialog* players, OConfirmDialog* confirmation) {
  options_ = options;
  players_ = players;
  confirmation_ = confirmation;
}

void OGameSelectDialog::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  if (options_) {
    kinds_->Choose(options_->gameKind);
    openingTwoPlayers_ = options_->twoPlayers;
    openingComputerFirst_ = options_->computerFirst;
  }
  OMenuScreen::ShowModal(ownerSlot);
}

bool OGameSelectDialog::PlayersChanged() const {
  return options_ && (options_->twoPlayers != openingTwoPlayers_ || options_->computerFirst != openingComputerFirst_);
}

bool OGameSelectDialog::Changed() const {
  return options_ && (kinds_->Chosen() != options_->gameKind || PlayersChanged());
}

void OGameSelectDialog::OnControl(OControl* control) {
  if (kinds_->Take(control)) return;
  if (control != nullptr && control == playersButton_) {
    if (players_ && options_ && OwnerSlot()) {
      players_->Prepare(options_->playerName1, options_->playerName2, options_->twoPlayers, options_->computerFirst);
      ShowDialogScreen(*players_, OwnerSlot());
    }
    return;
  }
  OMenuScreen::OnControl(control);
}

void OGameSelectDialog::OnModalClosed(OScreen* screen, int result) {
  if (screen != nullptr && screen == players_ && result == 0 && options_) {
    options_->playerName1 = players_->Name1();
    options_->playerName2 = players_->Name2();
    options_->twoPlayers = players_->TwoPlayers();
    options_->computerFirst = players_->ComputerFirst();
  } else if (screen != nullptr && screen == confirmation_ && result == 0) {
    CloseModal(0);
  }
}

void OGameSelectDialog::Ok() {
  // Only a game that would be lost asks: with Autosave a kind of its own keeps its game.
  const bool lost = options_ && options_->score > 0 && !(options_->autosave && !PlayersChanged());
  if (Changed() && lost && confirmation_ && OwnerSlot()) {
    ShowDialogScreen(*confirmation_, OwnerSlot());
    return;
  }
  CloseModal(0);
}

void OGameSelectDialog::Cancel() {
  // The players' choices made in this visit are taken back with the rest.
  if (options_) {
    options_->twoPlayers = openingTwoPlayers_;
    options_->computerFirst = openingComputerFirst_;
  }
  CloseModal(1);
}

}  // namespace tavlero
