#include "gfx/check_box.h"

#include <algorithm>

#include "gfx/control_look.h"

namespace tavlero {

OCheckBox::OCheckBox(const std::shared_ptr<OSheet>& sheet) : OControl(sheet) {}

OCheckBox::~OCheckBox() = default;

bool OCheckBox::Load(const std::string& path) {
  // Loading resets the layers; the caption goes back beside the new picture.
  captionShown_ = false;
  const bool loaded = OControl::Load(path);
  if (!caption_.empty()) PlaceCaption();
  return loaded;
}

void OCheckBox::CopyFrom(const OSprite* other) {
  OControl::CopyFrom(other);
  if (captionShown_) PlaceCaption();
}

void OCheckBox::ShowRestLook() { ShowLookOnce(*this, RestLook()); }

bool OCheckBox::MouseMove(int px, int py, bool buttonDown) {
  if (Hit(px, py)) {
    if (!HasFullLooks()) {
      ShowRestLook();
    } else if (!buttonDown) {
      ShowLookOnce(*this, checked ? kCheckedHover : kUncheckedHover);
    }
    return true;
  }
  ShowRestLook();
  return false;
}

void OCheckBox::ShowPressedLook() {
  if (HasFullLooks()) {
    ShowLookOnce(*this, checked ? kCheckedPressed : kUncheckedPressed);
  } else {
    ShowRestLook();
  }
}

bool OCheckBox::LButtonDown(int px, int py) {
  if (Hit(px, py)) {
    ShowPressedLook();
    return true;
  }
  ShowRestLook();
  return false;
}

bool OCheckBox::LButtonUp(int px, int py) {
  if (Hit(px, py)) {
    checked = !checked;
    ShowPressedLook();
    return true;
  }
  ShowRestLook();
  return false;
}

bool OCheckBox::KeyDown(int /*key*/, int /*modifiers*/) {
  if (checked) {
    Uncheck();
  } else {
    Check();
  }
  return false;
}

void OCheckBox::Check() {
  checked = true;
  ShowLook(*this, kChecked);
}

void OCheckBox::Uncheck() {
  checked = false;
  ShowLook(*this, kUnchecked);
}

void OCheckBox::SetCaption(const std::string& text) {
  caption_ = text;
  const OTextStyle& style = captionStyle;
  KeepDrawingStyle keep;
  DrawingStyle() = style;
  const int w = std::max(1, kCaptionCharWidth * static_cast<int>(text.size()));
  captionSurface_.Resize(w, kCaptionHeight, static_cast<int>(style.backgroundColour & 0xFFFFFF));
  captionSurface_.DrawText(text, 0, 0);
  captionSurface_.SetColourKey(static_cast<int>(style.backgroundColour & 0xFFFFFF));
  PlaceCaption();
}

void OCheckBox::PlaceCaption() {
  captionSurface_.offsetX = width + kCaptionGap;
  captionSurface_.offsetY = (height - kCaptionHeight) / 2;
  if (!captionShown_) {
    if (shownFrames.empty()) shownFrames.push_back(nullptr);
    shownFrames.push_back(&captionSurface_);
    captionShown_ = true;
  }
  MarkChanged();
}

}  // namespace tavlero
