#include "ui/exit_dialog.h"

#include "platform/cp1251.h"
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {

OExitDialog::OExitDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OExitDialog::~OExitDialog() = default;

void OExitDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  PlaceButtons(20, 240, 280, 240);
  stay_ = AddButtonAt(kStayPicture, 150, 240);
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  message_ = new OTextSprite(TextStyle(), 396 - 24, 200 - 70);
  message_->SetLineGap(15);
  message_->SetText(platform::Utf8ToCp1251("Вы можете включить Автосохранение "), 2);
  AddAt(message_, 24, 70, -1);
}

void OExitDialog::OnControl(OControl* control) {
  if (control != nullptr && control == stay_) {
    CloseModal(kStayResult);
    return;
  }
  OMenuScreen::OnControl(control);
}

}  // namespace tavlero
