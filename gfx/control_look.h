// Looks of a control: the states of buttons, check boxes and text fields are the
// sub-sprites of their picture. A sprite of plain frames, or one with fewer
// sub-sprites than a look asks for, shows its first look instead.
#pragma once

#include "gfx/sprite.h"

namespace tavlero {

// The look on show: the current sub-sprite, 0 for a sprite of plain frames.
inline int ShownLook(const OSprite& sprite) {
  return sprite.subSprites.empty() ? 0 : sprite.currentSubSprite;
}

// The look a request for `look` ends up showing.
inline int ResolvedLook(const OSprite& sprite, int look) {
  return look >= 0 && look < static_cast<int>(sprite.subSprites.size()) ? look : 0;
}

// Shows the look from its first frame, even when it is already on show.
inline void ShowLook(OSprite& sprite, int look) { sprite.SetFrame(0, look); }

// Shows the look unless it is already on show, so its animation runs on undisturbed.
inline void ShowLookOnce(OSprite& sprite, int look) {
  if (ShownLook(sprite) != ResolvedLook(sprite, look) || !sprite.CurrentPicture()) sprite.SetFrame(0, look);
}

// Restarts the look on show at its first frame.
inline void RestartLook(OSprite& sprite) { sprite.SetFrame(0, -1); }

}  // namespace tavlero
