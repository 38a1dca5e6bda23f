#include "ui/end_game_dialog.h"

#include "sound/effects_player.h"
#include "ui/markup_tags.h"
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {

namespace {
// The name's box, in the dialog's own coordinates.
constexpr int kNameLeft = 20, kNameTop = 182, kNameRight = 400, kNameBottom = 210;
}  // namespace

OEndGameDialog::OEndGameDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OEndGameDialog::~OEndGameDialog() = default;

void OEndGameDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  cup_ = AddAt(NewSpriteOf(ButtonPicture(kCupPicture), 0, 0, 0), 110, 56);
  // The program picks the frame; the picture must not run through them on its own.
  if (cup_) cup_->stopped = true;
  auto* name = new OTextSprite(TextStyle(), kNameRight - kNameLeft, kNameBottom - kNameTop);
  name_ = static_cast<OTextSprite*>(AddAt(name, kNameLeft, kNameTop));
  PlaceButtons(80, 240, 220, 240);
}

void OEndGameDialog::Prepare(int winner, bool twoPlayers, const std::string& name1, const std::string& name2) {
  winner_ = winner;
  twoPlayers_ = twoPlayers;
  name1_ = name1;
  name2_ = name2;
}

void OEndGameDialog::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  // Side +1 is the computer in a one-player game: its win gets the computer's tune,
  // the human's win the fanfare and the fireworks.
  const bool firstWon = winner_ == 1;
  const int frame = firstWon || twoPlayers_ ? kCupFrame : kFireworksFrame;
  const int sound = firstWon && !twoPlayers_ ? effect::kComputerWon : effect::kPlayerWon;
  if (name_) name_->SetText(firstWon ? name1_ : name2_, ui::align::kCenter);
  if (cup_) cup_->SetFrame(frame, -1);
  OMenuScreen::ShowModal(ownerSlot);
  Effects().Play(sound, true);
}

}  // namespace tavlero
