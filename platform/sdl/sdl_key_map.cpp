#include "platform/sdl/sdl_key_map.h"

#include "platform/window_system.h"

namespace tavlero::platform {
namespace {

// Keypad keys without NumLock act as the navigation block.
int KeypadNavigationKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_KP_0: return vk::kInsert;
    case SDL_SCANCODE_KP_1: return vk::kEnd;
    case SDL_SCANCODE_KP_2: return vk::kDown;
    case SDL_SCANCODE_KP_3: return vk::kPageDown;
    case SDL_SCANCODE_KP_4: return vk::kLeft;
    case SDL_SCANCODE_KP_5: return 12;  // Clear
    case SDL_SCANCODE_KP_6: return vk::kRight;
    case SDL_SCANCODE_KP_7: return vk::kHome;
    case SDL_SCANCODE_KP_8: return vk::kUp;
    case SDL_SCANCODE_KP_9: return vk::kPageUp;
    case SDL_SCANCODE_KP_PERIOD: return vk::kDelete;
    default: return 0;
  }
}

int KeyFromScancode(SDL_Scancode scancode, bool numLock) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return vk::kLetterA + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return vk::kDigit0 + 1 + (scancode - SDL_SCANCODE_1);
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return vk::kF1 + (scancode - SDL_SCANCODE_F1);
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24)
    return vk::kF12 + 1 + (scancode - SDL_SCANCODE_F13);
  if (!numLock) {
    if (const int key = KeypadNavigationKey(scancode)) return key;
  }
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1);

  switch (scancode) {
    case SDL_SCANCODE_0: return vk::kDigit0;
    case SDL_SCANCODE_KP_0: return vk::kNumpad0;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER: return vk::kReturn;
    case SDL_SCANCODE_ESCAPE: return vk::kEscape;
    case SDL_SCANCODE_BACKSPACE: return vk::kBack;
    case SDL_SCANCODE_TAB: return vk::kTab;
    case SDL_SCANCODE_SPACE: return vk::kSpace;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return vk::kShift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return vk::kControl;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return vk::kAlt;
    case SDL_SCANCODE_LGUI: return 91;
    case SDL_SCANCODE_RGUI: return 92;
    case SDL_SCANCODE_APPLICATION: return 93;
    case SDL_SCANCODE_PAUSE: return 19;
    case SDL_SCANCODE_CAPSLOCK: return 20;
    case SDL_SCANCODE_PAGEUP: return vk::kPageUp;
    case SDL_SCANCODE_PAGEDOWN: return vk::kPageDown;
    case SDL_SCANCODE_END: return vk::kEnd;
    case SDL_SCANCODE_HOME: return vk::kHome;
    case SDL_SCANCODE_LEFT: return vk::kLeft;
    case SDL_SCANCODE_UP: return vk::kUp;
    case SDL_SCANCODE_RIGHT: return vk::kRight;
    case SDL_SCANCODE_DOWN: return vk::kDown;
    case SDL_SCANCODE_PRINTSCREEN: return 44;
    case SDL_SCANCODE_INSERT: return vk::kInsert;
    case SDL_SCANCODE_DELETE: return vk::kDelete;
    case SDL_SCANCODE_KP_MULTIPLY: return 106;
    case SDL_SCANCODE_KP_PLUS: return 107;
    case SDL_SCANCODE_KP_MINUS: return 109;
    case SDL_SCANCODE_KP_PERIOD:
    case SDL_SCANCODE_KP_DECIMAL: return 110;
    case SDL_SCANCODE_KP_DIVIDE: return 111;
    case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
    case SDL_SCANCODE_SCROLLLOCK: return 145;
    case SDL_SCANCODE_SEMICOLON: return 186;
    case SDL_SCANCODE_EQUALS: return 187;
    case SDL_SCANCODE_COMMA: return 188;
    case SDL_SCANCODE_MINUS: return 189;
    case SDL_SCANCODE_PERIOD: return 190;
    case SDL_SCANCODE_SLASH: return 191;
    case SDL_SCANCODE_GRAVE: return 192;
    case SDL_SCANCODE_LEFTBRACKET: return 219;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return 220;
    case SDL_SCANCODE_RIGHTBRACKET: return 221;
    case SDL_SCANCODE_APOSTROPHE: return 222;
    case SDL_SCANCODE_NONUSBACKSLASH: return 226;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyFromSdl(SDL_Keycode keycode, SDL_Scancode scancode, bool numLock) {
  // A layout that puts Latin letters or digits elsewhere (AZERTY, Dvorak) names the key
  // by what it types, as the desktop's own virtual keys do.
  if (keycode >= SDLK_a && keycode <= SDLK_z) return vk::kLetterA + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9 &&
      !(scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0))
    return vk::kDigit0 + (keycode - SDLK_0);
  return KeyFromScancode(scancode, numLock);
}

}  // namespace tavlero::platform
