// OControl: a sprite that also takes mouse and keyboard input (buttons, check boxes,
// text fields). Screens keep controls in their control list and offer them input in
// screen-relative coordinates. The base accepts nothing.
#pragma once

#include "gfx/sprite.h"

namespace tavlero {

class OControl : public OSprite {
 public:
  explicit OControl(const std::shared_ptr<OSheet>& sheet = nullptr) : OSprite(sheet) {}

  // Each returns true when the control takes the event.
  virtual bool MouseMove(int /*x*/, int /*y*/, bool /*buttonDown*/) { return false; }
  virtual bool LButtonDown(int /*x*/, int /*y*/) { return false; }
  virtual bool LButtonUp(int /*x*/, int /*y*/) { return false; }
  virtual bool KeyDown(int /*key*/, int /*modifiers*/) { return false; }
  virtual void Char(int /*character*/, int /*modifiers*/) {}
  virtual void SetFocus(bool /*focus*/) {}

  // Inside the control's rectangle: the left and top edges are in, x + width and
  // y + height are out, so controls placed edge to edge never share a point and one
  // press reaches one of them.
  bool Contains(int px, int py) const {
    return x <= px && px < x + width && y <= py && py < y + height;
  }
  // The pixel hit test: false where the point lies off the current picture or on its
  // colour key.
  bool PixelHit(int px, int py) const {
    const OSurface* picture = CurrentPicture();
    if (!picture) return false;
    const int cx = px - static_cast<int>(x) - picture->offsetX;
    const int cy = py - static_cast<int>(y) - picture->offsetY;
    if (cx < 0 || cy < 0 || cx >= picture->Width() || cy >= picture->Height()) return false;
    return static_cast<int>(picture->PixelAt(cx, cy)) != picture->colourKey;
  }
  // Inside and, with the pixel hit test on, on a visible pixel.
  bool Hit(int px, int py) const { return Contains(px, py) && (!pixelHitTest || PixelHit(px, py)); }

  bool clicked = false;       // set by a press inside; read by the screen on release
  bool hasFocus = false;      // receives key and character events
  bool pixelHitTest = false;  // inside only where the current picture is not transparent
};

}  // namespace tavlero
