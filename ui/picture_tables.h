// The picture tables every screen shares: buttons and decorations ("clp/but%d.clp",
// 0 to 25), backgrounds ("clp/bg%d.clp", 0 to 12) and backdrops and dialog pieces
// ("clp/jp%d.clp", 0 to 13). They are loaded once at start-up from the working folder;
// screens make their sprites as copies of them, which share the pixels.
#pragma once

#include "gfx/sprite.h"

namespace tavlero {

constexpr int kButtonPictureCount = 26;
constexpr int kBackgroundPictureCount = 13;
constexpr int kJpPictureCount = 14;

// Loads the three tables; a file that cannot be read ends the program (exit code 255)
// after naming it. Loading tables that are already loaded does nothing.
void LoadSharedPictures();
// Frees the tables (copies made from them keep their pixels).
void FreeSharedPictures();
bool SharedPicturesLoaded();

// Entry `index` of a table; an empty picture for an index out of range or a table not loaded.
const OSprite& ButtonPicture(int index);
const OSprite& BackgroundPicture(int index);
const OSprite& JpPicture(int index);

// A new sprite (or control) showing the picture, placed at (x, y) with depth z. The
// caller owns it; a screen takes it over with AddSprite or AddControl.
template <class T = OSprite>
T* NewSpriteOf(const OSprite& picture, double x, double y, double z) {
  T* sprite = new T();
  sprite->CopyFrom(&picture);
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  return sprite;
}

}  // namespace tavlero
