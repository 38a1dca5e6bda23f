// OButton: a push button. Its picture's sub-sprites are its looks: 0 normal, 1 pressed,
// 2 hover. A press inside sets the clicked flag; the screen fires its command hook when
// the release comes inside too.
#pragma once

#include "gfx/control.h"

namespace tavlero {

class OButton : public OControl {
 public:
  static constexpr int kNormal = 0, kPressed = 1, kHover = 2;

  using OControl::OControl;

  bool MouseMove(int x, int y, bool buttonDown) override;
  bool LButtonDown(int x, int y) override;
  bool LButtonUp(int x, int y) override;
  void SetFocus(bool focus) override;

  bool highlighted = false;
};

}  // namespace tavlero
