#include "ui/menu_screen.h"

#include <algorithm>
#include <vector>

#include "platform/window_system.h"
#include "sound/effects_player.h"
#include "ui/picture_tables.h"
#include "ui/text_box.h"

namespace tavlero {

OMenuScreen::OMenuScreen(OWindow* owner, const OSprite& backgroundPicture)
    : OScreen(owner, 0, 0, backgroundPicture.width + kMargin, backgroundPicture.height + kMargin) {
  content_ = {0, 0, backgroundPicture.width, backgroundPicture.height};
  backgroundColour = kBackgroundColour;
  background_ = AddAt(NewSpriteOf(backgroundPicture, 0, 0, kBackgroundDepth), 0, 0, kBackgroundDepth);
}

OMenuScreen::~OMenuScreen() = default;

OTextStyle OMenuScreen::TextStyle() {
  OTextStyle style = OTextBox::DefaultStyle();
  style.textColour = 0x640B00;
  style.backgroundColour = 0xD28031;
  style.faceName = "times new roman";
  return style;
}

OSprite* OMenuScreen::AddAt(OSprite* sprite, double x, double y, double z) {
  if (!sprite) return nullptr;
  sprite->x = content_.x + x;
  sprite->y = content_.y + y;
  sprite->z = z;
  if (!sprite->HasContent()) {
    delete sprite;
    return nullptr;
  }
  if (auto* control = dynamic_cast<OControl*>(sprite)) {
    AddControl(control);
  } else {
    AddSprite(sprite);
  }
  return sprite;
}

OButton* OMenuScreen::AddButtonAt(int picture, double x, double y) {
  return static_cast<OButton*>(AddAt(NewSpriteOf<OButton>(ButtonPicture(picture), 0, 0, 0), x, y));
}

void OMenuScreen::Init() {
  initialised_ = true;
  // Two buttons side by side, 20 pixels apart, 20 pixels above the bottom edge.
  const int centre = content_.width / 2, row = content_.height - 60;
  if (!ok_) ok_ = AddButtonAt(kOkPicture, centre - 130, row);
  if (!cancel_) cancel_ = AddButtonAt(kCancelPicture, centre + 10, row);
}

void OMenuScreen::PlaceButtons(int okX, int okY, int cancelX, int cancelY) {
  if (ok_) {
    ok_->x = content_.x + okX;
    ok_->y = content_.y + okY;
  }
  if (cancel_) {
    cancel_->x = content_.x + cancelX;
    cancel_->y = content_.y + cancelY;
  }
}

void OMenuScreen::SetTitlePicture(OSprite* title) {
  if (title_ && title_ != title) RemoveSprite(title_, true);
  title_ = nullptr;
  if (!title) return;
  title_ = AddAt(title, (content_.width - title->width) / 2, 0, title->z);
}

void OMenuScreen::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  backgroundColour = kBackgroundColour;
  // Adding is idempotent: parts added at Init stay where they are.
  if (ok_) AddControl(ok_);
  if (cancel_) AddControl(cancel_);
  if (background_) {
    background_->x = content_.x;
    background_->y = content_.y;
    background_->z = kBackgroundDepth;
    AddSprite(background_);
  }
  if (title_) SetTitlePicture(title_);
  OScreen::ShowModal(ownerSlot);
}

OControl* OMenuScreen::OnLButtonUp(int x, int y) {
  // A control fires only when it was pressed (its clicked flag) and the release lands
  // on it too; the base visits them in order and stops at the one that fires.
  std::vector<OControl*> pressed;
  for (OControl* control : Controls())
    if (control->clicked && control->visible) pressed.push_back(control);
  OControl* answered = OScreen::OnLButtonUp(x, y);
  if (answered && std::find(pressed.begin(), pressed.end(), answered) != pressed.end()) {
    Effects().Play(effect::kClick, true);
  }
  return answered;
}

void OMenuScreen::OnKeyDown(int key, int modifiers) {
  switch (key) {
    case platform::vk::kReturn:
      Ok();
      break;
    case platform::vk::kEscape:
      Cancel();
      break;
    default:
      OScreen::OnKeyDown(key, modifiers);
  }
}

void OMenuScreen::OnControl(OControl* control) {
  if (!control) return;
  if (control == ok_) {
    Ok();
  } else if (control == cancel_) {
    Cancel();
  }
}

}  // namespace tavlero
