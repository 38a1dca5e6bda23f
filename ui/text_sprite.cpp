#include "ui/text_sprite.h"

namespace tavlero {

OTextSprite::OTextSprite(const OTextStyle& style, int width, int height)
    : box_(std::make_unique<OTextBox>(&style, 0, 0, width, height)) {
  // The frame is a second view of the box's surface: both share one pixel store, so
  // every Render shows at once. It copies the box's colour key.
  AddFrame(new OSurface(box_->Surface()));
}

OTextSprite::~OTextSprite() = default;

void OTextSprite::SetText(const std::string& cp1251Text, int alignment) {
  if (shown_ && cp1251Text == text_ && alignment == alignment_) return;
  text_ = cp1251Text;
  alignment_ = alignment;
  Show();
}

void OTextSprite::SetLineGap(int gap) {
  if (gap == box_->lineGap) return;
  box_->lineGap = gap;
  if (shown_) Show();
}

void OTextSprite::Show() {
  // An empty text would leave the old lines in the box: clear them instead.
  if (text_.empty()) {
    box_->Clear();
  } else {
    box_->SetText(text_, alignment_, false);
  }
  box_->Render(0, false);
  shown_ = true;
  MarkChanged();
}

}  // namespace tavlero
