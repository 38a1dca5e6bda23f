// Pictures for control tests: sprites whose looks are solid-coloured frames, so a test
// can tell which look a control shows by the colour of its current picture.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"

namespace tavlero::test {

// The colour of look `look`, frame `frame`.
inline std::uint32_t LookColour(int look, int frame = 0) {
  return 0x102030u + static_cast<std::uint32_t>(look) * 0x100000u + static_cast<std::uint32_t>(frame) * 0x10u;
}

inline OSurface* SolidFrame(int width, int height, std::uint32_t colour) {
  auto* frame = new OSurface(width, height);
  frame->clearColour = colour;
  frame->Clear();
  return frame;
}

// `looks` sub-sprites of `frames` frames each (looks = 1 gives a sprite of plain frames,
// as a container with a single sequence loads).
inline void FillLooks(OSprite& sprite, int looks, int frames = 1, int width = 40, int height = 20) {
  if (looks == 1) {
    for (int f = 0; f < frames; ++f) sprite.AddFrame(SolidFrame(width, height, LookColour(0, f)));
    return;
  }
  for (int look = 0; look < looks; ++look) {
    OSprite* sub = sprite.AddSubSprite();
    for (int f = 0; f < frames; ++f) sub->AddFrame(SolidFrame(width, height, LookColour(look, f)));
  }
  sprite.SetFrame(0, 0);
}

// The look shown now, read back from the current picture's colour; -1 when unknown.
inline int ShownLookColour(const OSprite& sprite) {
  const OSurface* picture = sprite.CurrentPicture();
  if (!picture) return -1;
  const std::uint32_t colour = picture->PixelAt(0, 0);
  for (int look = 0; look < 8; ++look) {
    for (int f = 0; f < 4; ++f)
      if (colour == LookColour(look, f)) return look;
  }
  return -1;
}

inline int ShownFrameColour(const OSprite& sprite) {
  const OSurface* picture = sprite.CurrentPicture();
  if (!picture) return -1;
  return static_cast<int>((picture->PixelAt(0, 0) - LookColour(ShownLookColour(sprite))) / 0x10u);
}

}  // namespace tavlero::test
