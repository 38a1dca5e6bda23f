#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "platform/sdl/sdl_event_translator.h"
#include "platform/sdl/sdl_key_map.h"

namespace tavlero::platform {
namespace {

TEST(SdlKeyMapTest, NamedKeysGiveTheirVirtualKeyCodes) {
  struct Case {
    SDL_Keycode keycode;
    SDL_Scancode scancode;
    int expected;
  };
  const std::vector<Case> cases = {
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8}, {SDLK_TAB, SDL_SCANCODE_TAB, 9},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
      {SDLK_LCTRL, SDL_SCANCODE_LCTRL, 17},        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},
      {SDLK_LALT, SDL_SCANCODE_LALT, 18},          {SDLK_RALT, SDL_SCANCODE_RALT, 18},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},      {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
      {SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 33},      {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
      {SDLK_END, SDL_SCANCODE_END, 35},            {SDLK_HOME, SDL_SCANCODE_HOME, 36},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},          {SDLK_UP, SDL_SCANCODE_UP, 38},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},        {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
      {SDLK_INSERT, SDL_SCANCODE_INSERT, 45},      {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
      {SDLK_0, SDL_SCANCODE_0, 48},                {SDLK_9, SDL_SCANCODE_9, 57},
      {SDLK_a, SDL_SCANCODE_A, 65},                {SDLK_z, SDL_SCANCODE_Z, 90},
      {SDLK_F1, SDL_SCANCODE_F1, 112},             {SDLK_F4, SDL_SCANCODE_F4, 115},
      {SDLK_F10, SDL_SCANCODE_F10, 121},           {SDLK_F12, SDL_SCANCODE_F12, 123},
      {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, 107},   {SDLK_MINUS, SDL_SCANCODE_MINUS, 189},
      {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 190},     {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, 219},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VirtualKeyFromSdl(c.keycode, c.scancode, true), c.expected) << SDL_GetScancodeName(c.scancode);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, true), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, true), 0);
}

TEST(SdlKeyMapTest, LettersFollowLatinLayoutsAndThePhysicalKeyOtherwise) {
  // French layout: the key in the A position types 'q'.
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_q, SDL_SCANCODE_A, true), 'Q');
  // Russian layout: the same key types a Cyrillic letter and keeps its Latin name.
  EXPECT_EQ(VirtualKeyFromSdl(0x0444, SDL_SCANCODE_A, true), 'A');
  EXPECT_EQ(VirtualKeyFromSdl(0x0451, SDL_SCANCODE_GRAVE, true), 192);
  // Digit row on a layout whose unshifted keys type punctuation.
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_AMPERSAND, SDL_SCANCODE_1, true), '1');
}

TEST(SdlKeyMapTest, KeypadDependsOnNumLock) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0, true), 96);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_1, SDL_SCANCODE_KP_1, true), 97);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9, SDL_SCANCODE_KP_9, true), 105);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, true), 110);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_7, SDL_SCANCODE_KP_7, false), 36);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_8, SDL_SCANCODE_KP_8, false), 38);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0, false), 45);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false), 46);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_5, SDL_SCANCODE_KP_5, false), 12);
}

SDL_Event Key(Uint32 type, SDL_Keycode keycode, SDL_Scancode scancode, Uint16 mod = KMOD_NUM) {
  SDL_Event e{};
  e.type = type;
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = keycode;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Button(Uint32 type, Uint8 button, Sint32 x, Sint32 y, Uint8 clicks = 1) {
  SDL_Event e{};
  e.type = type;
  e.button.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.clicks = clicks;
  return e;
}

SDL_Event Window(Uint8 windowEvent) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = windowEvent;
  return e;
}

std::deque<Event> Translate(const SDL_Event& e, Uint16 modifiersNow = 0) {
  std::deque<Event> out;
  TranslateSdlEvent(e, modifiersNow, out);
  return out;
}

TEST(SdlEventTranslatorTest, AltAndF10AreSystemKeysAndControlKeysAlsoTypeCharacters) {
  auto out = Translate(Key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kSysKeyDown);
  EXPECT_EQ(out[0].key, 18);
  // Alt released: SDL has already taken it out of the modifiers.
  out = Translate(Key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kSysKeyUp);
  EXPECT_EQ(out[0].key, 18);

  out = Translate(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kSysKeyDown);
  EXPECT_EQ(out[0].key, 115);

  out = Translate(Key(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kSysKeyDown);
  out = Translate(Key(SDL_KEYUP, SDLK_F10, SDL_SCANCODE_F10));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kSysKeyUp);

  // Ordinary keys: a letter types nothing by itself (text input brings the character).
  out = Translate(Key(SDL_KEYDOWN, SDLK_f, SDL_SCANCODE_F, KMOD_LSHIFT));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kKeyDown);
  EXPECT_EQ(out[0].key, 'F');
  out = Translate(Key(SDL_KEYUP, SDLK_f, SDL_SCANCODE_F));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kKeyUp);

  for (auto [keycode, scancode, code] : {std::tuple{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
                                         std::tuple{SDLK_TAB, SDL_SCANCODE_TAB, 9},
                                         std::tuple{SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
                                         std::tuple{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
                                         std::tuple{SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27}}) {
    out = Translate(Key(SDL_KEYDOWN, keycode, scancode));
    ASSERT_EQ(out.size(), 2u) << code;
    EXPECT_EQ(out[0].type, EventType::kKeyDown);
    EXPECT_EQ(out[0].key, code);
    EXPECT_EQ(out[1].type, EventType::kChar);
    EXPECT_EQ(out[1].character, code);
    // Releasing types nothing; with Alt held it is a system key and types nothing.
    EXPECT_EQ(Translate(Key(SDL_KEYUP, keycode, scancode)).size(), 1u);
    out = Translate(Key(SDL_KEYDOWN, keycode, scancode, KMOD_LALT));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].type, EventType::kSysKeyDown);
  }
  EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP)).empty());
}

TEST(SdlEventTranslatorTest, TypedTextArrivesAsSignedCodePageBytes) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, "Жa\xE2\x82\xBD", sizeof e.text.text);  // Zhe, a, rouble sign
  auto out = Translate(e);
  ASSERT_EQ(out.size(), 3u);
  for (const Event& event : out) EXPECT_EQ(event.type, EventType::kChar);
  EXPECT_EQ(out[0].character, static_cast<signed char>(0xC6));
  EXPECT_EQ(out[1].character, 'a');
  EXPECT_EQ(out[2].character, '?');
  // With the left Alt held the keys are shortcuts; Right Alt may be the level-3 shift.
  EXPECT_TRUE(Translate(e, KMOD_LALT).empty());
  EXPECT_EQ(Translate(e, KMOD_RALT).size(), 3u);
}

TEST(SdlEventTranslatorTest, MouseButtonsDoubleClicksAndClampedCoordinates) {
  auto out = Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kLButtonDown);
  EXPECT_EQ(out[0].x, 10);
  EXPECT_EQ(out[0].y, 20);

  out = Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20, 2));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].type, EventType::kLButtonDown);
  EXPECT_EQ(out[1].type, EventType::kLButtonDblClk);
  EXPECT_EQ(out[1].x, 10);
  // A third quick click starts a new pair; the fourth completes it.
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1, 3)).size(), 1u);
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1, 4)).size(), 2u);
  // Releases and the right button never double.
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 1, 2))[0].type, EventType::kLButtonUp);
  out = Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6, 2));
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kRButtonDown);
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 5, 6))[0].type, EventType::kRButtonUp);
  EXPECT_TRUE(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 5, 6)).empty());

  // A drag that leaves the window to the left or top stays at 0, not at 65535 - n.
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = -7;
  motion.motion.y = 70000;
  out = Translate(motion);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kMouseMove);
  EXPECT_EQ(out[0].x, 0);
  EXPECT_EQ(out[0].y, 65535);
}

TEST(SdlEventTranslatorTest, WindowEventsAndQuit) {
  const std::vector<std::pair<Uint8, EventType>> cases = {
      {SDL_WINDOWEVENT_FOCUS_GAINED, EventType::kActivate}, {SDL_WINDOWEVENT_EXPOSED, EventType::kPaint},
      {SDL_WINDOWEVENT_SHOWN, EventType::kPaint},           {SDL_WINDOWEVENT_SIZE_CHANGED, EventType::kSize},
      {SDL_WINDOWEVENT_MINIMIZED, EventType::kSize},        {SDL_WINDOWEVENT_RESTORED, EventType::kSize},
      {SDL_WINDOWEVENT_CLOSE, EventType::kClose},
  };
  for (auto [sdlType, expected] : cases) {
    auto out = Translate(Window(sdlType));
    ASSERT_EQ(out.size(), 1u) << int{sdlType};
    EXPECT_EQ(out[0].type, expected) << int{sdlType};
  }
  EXPECT_TRUE(Translate(Window(SDL_WINDOWEVENT_MOVED)).empty());
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  auto out = Translate(quit);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kClose);
}

TEST(SdlEventTranslatorTest, ModifierMask) {
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_NONE), 0);
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_RSHIFT), 1);
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_LCTRL | KMOD_NUM | KMOD_CAPS), 2);
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_LSHIFT | KMOD_RCTRL | KMOD_RALT), 7);
}

}  // namespace
}  // namespace tavlero::platform
