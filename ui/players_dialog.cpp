#include "ui/players_dialog.h"

#include "platform/cp1251.h"
#include "store/game_options.h"
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {

namespace {
constexpr int kFieldPicture = 19, kOpponentPicture = 20, kFirstMovePicture = 22;  // button table
constexpr int kComputer = 0, kSecondHuman = 1;
}  // namespace

OPlayersDialog::OPlayersDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OPlayersDialog::~OPlayersDialog() = default;

OTextField* OPlayersDialog::AddField(int y) {
  auto* field = NewSpriteOf<OTextField>(ButtonPicture(kFieldPicture), 0, 0, 0);
  OTextStyle font = TextStyle();
  font.sizePoints = 12;
  font.backgroundColour = 0xFBF3DF;
  field->SetFont(font);
  field->SetMargins(8, 6);
  field->maximumLength = kNameLength;
  return static_cast<OTextField*>(AddAt(field, 170, y));
}

void OPlayersDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  PlaceButtons(90, 380, 230, 380);
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  OTextStyle labelStyle = TextStyle();
  labelStyle.sizePoints = 12;
  const char* labels[] = {"Первый игрок:", "Второй игрок:"};
  for (int i = 0; i < 2; ++i) {
    auto* label = new OTextSprite(labelStyle, 135, 24);
    label->SetText(platform::Utf8ToCp1251(labels[i]), 0);
    AddAt(label, 30, 85 + 40 * i, -1);
  }
  field1_ = AddField(80);
  field2_ = AddField(120);
  opponent_ = std::make_unique<OChoiceList>(ButtonPicture(kOpponentPicture), 2, content_.x + 40, content_.y + 180, 32);
  firstMove_ = std::make_unique<OChoiceList>(ButtonPicture(kFirstMovePicture), 2, content_.x + 40, content_.y + 260, 32);
  for (OListEntry* entry : opponent_->Entries()) AddControl(entry);
  for (OListEntry* entry : firstMove_->Entries()) AddControl(entry);
}

void OPlayersDialog::Prepare(const std::string& name1, const std::string& name2, bool twoPlayers,
                             bool computerFirst) {
  name1_ = name1;
  name2_ = name2;
  twoPlayers_ = twoPlayers;
  computerFirst_ = computerFirst;
}

void OPlayersDialog::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  field1_->SetText(name1_);
  field2_->SetText(name2_);
  opponent_->Choose(twoPlayers_ ? kSecondHuman : kComputer);
  firstMove_->Choose(computerFirst_ ? 0 : 1);
  field1_->SetFocus(false);
  field2_->SetFocus(false);
  (twoPlayers_ ? field1_ : field2_)->SetFocus(true);
  KeepComputersName();
  OMenuScreen::ShowModal(ownerSlot);
}

void OPlayersDialog::KeepComputersName() {
  if (opponent_->Chosen() != kComputer) return;
  if (field1_->hasFocus) {
    field1_->SetFocus(false);
    field2_->SetFocus(true);
  }
  if (field1_->Text() != DefaultFirstPlayerName()) field1_->SetText(DefaultFirstPlayerName());
}

OControl* OPlayersDialog::OnLButtonDown(int x, int y) {
  OControl* control = OMenuScreen::OnLButtonDown(x, y);
  KeepComputersName();
  return control;
}

void OPlayersDialog::OnKeyDown(int key, int modifiers) {
  OMenuScreen::OnKeyDown(key, modifiers);
  if (OwnerSlot()) KeepComputersName();
}

void OPlayersDialog::OnChar(int character, int modifiers) {
  KeepComputersName();
  OMenuScreen::OnChar(character, modifiers);
}

void OPlayersDialog::OnControl(OControl* control) {
  if (opponent_->Take(control)) {
    KeepComputersName();
    return;
  }
  if (firstMove_->Take(control)) return;
  OMenuScreen::OnControl(control);
}

void OPlayersDialog::Ok() {
  twoPlayers_ = opponent_->Chosen() != kComputer;
  computerFirst_ = firstMove_->Chosen() == 0;
  name1_ = field1_->Text();
  name2_ = field2_->Text();
  CloseModal(0);
}

}  // namespace tavlero
