#include "ui/confirm_dialog.h"

#include "ui/markup_tags.h"
#include "ui/picture_tables.h"
#include "ui/text_sprite.h"

namespace tavlero {

namespace {
// The message's box, in the dialog's own coordinates.
constexpr int kTextLeft = 24, kTextTop = 70, kTextRight = 396, kTextBottom = 200;
// "Результаты игры будут потеряны!" in CP1251.
constexpr char kMessage[] =
    "\xD0\xE5\xE7\xF3\xEB\xFC\xF2\xE0\xF2\xFB \xE8\xE3\xF0\xFB \xE1\xF3\xE4\xF3\xF2 "
    "\xEF\xEE\xF2\xE5\xF0\xFF\xED\xFB!";
}  // namespace

OConfirmDialog::OConfirmDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OConfirmDialog::~OConfirmDialog() = default;

void OConfirmDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  auto* message = new OTextSprite(TextStyle(), kTextRight - kTextLeft, kTextBottom - kTextTop);
  message->SetLineGap(kLineGap);
  message->SetText(kMessage, ui::align::kCenter);
  message_ = static_cast<OTextSprite*>(AddAt(message, kTextLeft, kTextTop));
  PlaceButtons(80, 240, 220, 240);
}

}  // namespace tavlero
