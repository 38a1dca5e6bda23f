#include "gfx/button.h"

#include "gfx/control_look.h"

namespace tavlero {

bool OButton::MouseMove(int px, int py, bool buttonDown) {
  if (visible && Hit(px, py)) {
    ShowLookOnce(*this, clicked && buttonDown ? kPressed : kHover);
    return true;
  }
  SetFocus(false);
  return false;
}

bool OButton::LButtonDown(int px, int py) {
  if (visible && Hit(px, py)) {
    // A button with a single look shows the press by restarting its animation.
    if (subSprites.size() >= 2) {
      ShowLook(*this, kPressed);
    } else {
      RestartLook(*this);
    }
    clicked = true;
    return true;
  }
  RestartLook(*this);
  return false;
}

bool OButton::LButtonUp(int px, int py) { return MouseMove(px, py, false); }

void OButton::SetFocus(bool focus) {
  if (focus) {
    if (!hasFocus) {
      ShowLookOnce(*this, kHover);
      highlighted = true;
    }
  } else {
    ShowLookOnce(*this, kNormal);
    highlighted = false;
  }
}

}  // namespace tavlero
