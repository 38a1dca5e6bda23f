#include "ui/intro_screen.h"

#include "app/required_picture.h"
#include "platform/random.h"
#include "ui/markup_tags.h"
#include "ui/text_sprite.h"

namespace tavlero {

namespace {
constexpr char kPicturePath[] = "clp/i1.clp";
constexpr char kPictureMissing[] = "File i1.clp not found!!!";
// "Версия 1.0 \n" in CP1251.
constexpr char kVersionLine[] = "\xC2\xE5\xF0\xF1\xE8\xFF 1.0 \n";
// The parchment strip along the picture's bottom edge.
constexpr int kStripLeft = 110, kStripTop = 352, kStripRight = 290, kStripBottom = 382;

// Dark brown on the strip's parchment colour.
OTextStyle VersionStyle() {
  OTextStyle style;
  style.textColour = 0x4A2A14;
  style.backgroundColour = 0xF2E6C6;
  style.styleFlags = OTextStyle::kBold;
  style.sizePoints = 14;
  style.faceName = "times new roman";
  return style;
}
}  // namespace

OIntroScreen::OIntroScreen(OWindow* owner) : OScreen(owner, 0, 0, kSize, kSize) {
  backgroundColour = kBackgroundColour;
  redrawMode = kRedrawFull;
}

OIntroScreen::~OIntroScreen() = default;

void OIntroScreen::Init() {
  if (!Sprites().empty()) return;
  auto* picture = new OSprite();
  if (!picture->Load(kPicturePath)) {
    delete picture;
    FailWithMessage(kPictureMissing);
  }
  picture->z = 1;
  AddSprite(picture);
  version_ = new OTextSprite(VersionStyle(), kStripRight - kStripLeft, kStripBottom - kStripTop);
  version_->SetText(kVersionLine, ui::align::kCenter);
  version_->x = kStripLeft;
  version_->y = kStripTop;
  AddSprite(version_);
}

void OIntroScreen::ShowModal(OScreen** ownerSlot) {
  elapsedMs_ = 0;
  closed_ = false;
  OScreen::ShowModal(ownerSlot);
}

void OIntroScreen::OnFrame(int elapsedMs) {
  if (closed_) return;
  elapsedMs_ += elapsedMs;
  RandomBelow(elapsedMs);
  OScreen::OnFrame(elapsedMs);
  if (elapsedMs_ >= kShowMs) Close();
}

OControl* OIntroScreen::OnLButtonUp(int x, int y) {
  OControl* control = OScreen::OnLButtonUp(x, y);
  Close();
  return control;
}

void OIntroScreen::OnKeyDown(int /*key*/, int /*modifiers*/) { Close(); }

void OIntroScreen::Close() {
  if (closed_) return;
  closed_ = true;
  if (onClose) {
    onClose();
  } else {
    CloseModal(0);
  }
}

}  // namespace tavlero
