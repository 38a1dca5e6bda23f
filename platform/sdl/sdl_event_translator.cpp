#include "platform/sdl/sdl_event_translator.h"

#include <algorithm>
#include <string>

#include "platform/cp1251.h"
#include "platform/sdl/sdl_key_map.h"

namespace tavlero::platform {
namespace {

int ClampCoordinate(Sint32 value) { return std::clamp<Sint32>(value, 0, 65535); }

Event MouseEvent(EventType type, Sint32 x, Sint32 y) {
  Event event;
  event.type = type;
  event.x = ClampCoordinate(x);
  event.y = ClampCoordinate(y);
  return event;
}

Event CharEvent(unsigned char byte) {
  Event event;
  event.type = EventType::kChar;
  event.character = static_cast<signed char>(byte);
  return event;
}

// Keys whose press also types a control character.
bool TypesControlCharacter(int key) {
  return key == vk::kBack || key == vk::kTab || key == vk::kReturn || key == vk::kEscape;
}

void TranslateKey(const SDL_KeyboardEvent& sdlKey, std::deque<Event>& out) {
  const bool numLock = (sdlKey.keysym.mod & KMOD_NUM) != 0;
  const int key = VirtualKeyFromSdl(sdlKey.keysym.sym, sdlKey.keysym.scancode, numLock);
  if (key == 0) return;
  const bool pressed = sdlKey.type == SDL_KEYDOWN;
  // SDL already counts a pressed Alt in the modifiers of its own down event and no
  // longer in its up event; Alt itself is named explicitly for that reason.
  const bool system = key == vk::kAlt || key == vk::kF10 || (sdlKey.keysym.mod & KMOD_ALT) != 0;
  Event event;
  event.key = key;
  if (pressed)
    event.type = system ? EventType::kSysKeyDown : EventType::kKeyDown;
  else
    event.type = system ? EventType::kSysKeyUp : EventType::kKeyUp;
  out.push_back(event);
  // Auto-repeat repeats the character too, as it does for typed text.
  if (pressed && !system && TypesControlCharacter(key)) out.push_back(CharEvent(key));
}

void TranslateText(const char* utf8, Uint16 modifiersNow, std::deque<Event>& out) {
  if ((modifiersNow & KMOD_LALT) != 0) return;
  for (char byte : Utf8ToCp1251(utf8)) out.push_back(CharEvent(static_cast<unsigned char>(byte)));
}

void TranslateButton(const SDL_MouseButtonEvent& button, std::deque<Event>& out) {
  const bool pressed = button.type == SDL_MOUSEBUTTONDOWN;
  if (button.button == SDL_BUTTON_LEFT) {
    out.push_back(MouseEvent(pressed ? EventType::kLButtonDown : EventType::kLButtonUp, button.x,
                             button.y));
    // Every second click of a quick series is a double click; a third starts afresh.
    if (pressed && button.clicks >= 2 && button.clicks % 2 == 0)
      out.push_back(MouseEvent(EventType::kLButtonDblClk, button.x, button.y));
  } else if (button.button == SDL_BUTTON_RIGHT) {
    out.push_back(MouseEvent(pressed ? EventType::kRButtonDown : EventType::kRButtonUp, button.x,
                             button.y));
  }
}

void TranslateWindow(const SDL_WindowEvent& window, std::deque<Event>& out) {
  Event event;
  switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: event.type = EventType::kActivate; break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED: event.type = EventType::kPaint; break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED: event.type = EventType::kSize; break;
    case SDL_WINDOWEVENT_CLOSE: event.type = EventType::kClose; break;
    default: return;
  }
  out.push_back(event);
}

}  // namespace

int ModifierMaskFromSdl(Uint16 sdlModifiers) {
  int mask = 0;
  if (sdlModifiers & KMOD_SHIFT) mask |= modifier::kShift;
  if (sdlModifiers & KMOD_CTRL) mask |= modifier::kCtrl;
  if (sdlModifiers & KMOD_ALT) mask |= modifier::kAlt;
  return mask;
}

void TranslateSdlEvent(const SDL_Event& sdlEvent, Uint16 modifiersNow, std::deque<Event>& out) {
  switch (sdlEvent.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(sdlEvent.key, out); break;
    case SDL_TEXTINPUT: TranslateText(sdlEvent.text.text, modifiersNow, out); break;
    case SDL_MOUSEMOTION:
      out.push_back(MouseEvent(EventType::kMouseMove, sdlEvent.motion.x, sdlEvent.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(sdlEvent.button, out); break;
    case SDL_WINDOWEVENT: TranslateWindow(sdlEvent.window, out); break;
    case SDL_QUIT: {
      Event event;
      event.type = EventType::kClose;
      out.push_back(event);
      break;
    }
    default: break;
  }
}

}  // namespace tavlero::platform
