// Translation of SDL key identities into the classic virtual-key codes the game's input
// handling expects.
#pragma once

#include <SDL2/SDL_keyboard.h>

namespace tavlero::platform {

// The virtual-key code of a key, or 0 for keys the game has no code for. Letters and
// digits follow the layout when it produces Latin characters and the physical key
// otherwise (a Cyrillic layout still gives the Latin letter of the key, as the
// desktop's native virtual keys do). Keypad keys give the navigation codes while
// NumLock is off.
int VirtualKeyFromSdl(SDL_Keycode keycode, SDL_Scancode scancode, bool numLock);

}  // namespace tavlero::platform
