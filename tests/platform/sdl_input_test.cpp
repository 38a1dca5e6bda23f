#include <gtest/gtest.h>

#include <deque>
#include <tuple>
#include <vector>

#include "platform/sdl/sdl_event_translator.h"
#include "platform/sdl/sdl_key_map.h"

namespace tavlero::platform {
namespace {

TEST(SdlKeyMapTest, KeysLayoutsAndKeypadGiveTheVirtualKeyCodes) {
  const std::vector<std::tuple<SDL_Keycode, SDL_Scancode, int>> keys = {
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8}, {SDLK_TAB, SDL_SCANCODE_TAB, 9},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},  {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 17},        {SDLK_RALT, SDL_SCANCODE_RALT, 18},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},      {SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 34},
      {SDLK_HOME, SDL_SCANCODE_HOME, 36},          {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
      {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},      {SDLK_0, SDL_SCANCODE_0, 48},
      {SDLK_z, SDL_SCANCODE_Z, 90},                {SDLK_F4, SDL_SCANCODE_F4, 115},
      {SDLK_F12, SDL_SCANCODE_F12, 123},           {SDLK_PERIOD, SDL_SCANCODE_PERIOD, 190},
      // A French layout types 'q' on the A key; a Russian one a Cyrillic letter, which
      // keeps the key's Latin name; a digit-row key typing '&' is still the digit.
      {SDLK_q, SDL_SCANCODE_A, 'Q'},               {0x0444, SDL_SCANCODE_A, 'A'},
      {SDLK_AMPERSAND, SDL_SCANCODE_1, '1'},       {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
      {SDLK_KP_9, SDL_SCANCODE_KP_9, 105},         {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, 0},
  };
  for (auto [keycode, scancode, expected] : keys)
    EXPECT_EQ(VirtualKeyFromSdl(keycode, scancode, true), expected) << SDL_GetScancodeName(scancode);
  // Without NumLock the keypad is the navigation block.
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_7, SDL_SCANCODE_KP_7, false), 36);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0, SDL_SCANCODE_KP_0, false), 45);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false), 46);
}

SDL_Event Key(Uint32 type, SDL_Keycode keycode, SDL_Scancode scancode, Uint16 mod = KMOD_NUM) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.sym = keycode;
  e.key.keysym.scancode = scancode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Button(Uint32 type, Uint8 button, Sint32 x, Sint32 y, Uint8 clicks = 1) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.clicks = clicks;
  return e;
}

// The translated events as (type, key or character) pairs.
std::vector<std::pair<EventType, int>> Translate(const SDL_Event& e, Uint16 modifiersNow = 0) {
  std::deque<Event> out;
  TranslateSdlEvent(e, modifiersNow, out);
  std::vector<std::pair<EventType, int>> brief;
  for (const Event& event : out) brief.emplace_back(event.type, event.type == EventType::kChar ? event.character : event.key);
  return brief;
}

using Brief = std::vector<std::pair<EventType, int>>;

TEST(SdlEventTranslatorTest, AltAndF10AreSystemKeysAndControlKeysAlsoTypeCharacters) {
  // SDL counts Alt in the modifiers of its own press and no longer in its release.
  EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT)), (Brief{{EventType::kSysKeyDown, 18}}));
  EXPECT_EQ(Translate(Key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE)), (Brief{{EventType::kSysKeyUp, 18}}));
  EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT)), (Brief{{EventType::kSysKeyDown, 115}}));
  EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10)), (Brief{{EventType::kSysKeyDown, 121}}));
  EXPECT_EQ(Translate(Key(SDL_KEYUP, SDLK_F10, SDL_SCANCODE_F10)), (Brief{{EventType::kSysKeyUp, 121}}));
  // A letter brings its character through text input, not with the key.
  EXPECT_EQ(Translate(Key(SDL_KEYDOWN, SDLK_f, SDL_SCANCODE_F, KMOD_LSHIFT)), (Brief{{EventType::kKeyDown, 'F'}}));
  EXPECT_EQ(Translate(Key(SDL_KEYUP, SDLK_f, SDL_SCANCODE_F)), (Brief{{EventType::kKeyUp, 'F'}}));
  EXPECT_TRUE(Translate(Key(SDL_KEYDOWN, SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP)).empty());

  for (auto [keycode, scancode, code] : {std::tuple{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
                                         std::tuple{SDLK_TAB, SDL_SCANCODE_TAB, 9},
                                         std::tuple{SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
                                         std::tuple{SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27}}) {
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, keycode, scancode)), (Brief{{EventType::kKeyDown, code}, {EventType::kChar, code}}));
    EXPECT_EQ(Translate(Key(SDL_KEYUP, keycode, scancode)), (Brief{{EventType::kKeyUp, code}}));
    EXPECT_EQ(Translate(Key(SDL_KEYDOWN, keycode, scancode, KMOD_LALT)), (Brief{{EventType::kSysKeyDown, code}}));
  }
}

TEST(SdlEventTranslatorTest, TypedTextArrivesAsSignedCodePageBytes) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, "Жa\xE2\x82\xBD", sizeof e.text.text);  // Zhe, a, rouble sign
  const Brief typed{{EventType::kChar, -58}, {EventType::kChar, 'a'}, {EventType::kChar, '?'}};
  EXPECT_EQ(Translate(e), typed);
  // With the left Alt held the keys are shortcuts; Right Alt may be the level-3 shift.
  EXPECT_TRUE(Translate(e, KMOD_LALT).empty());
  EXPECT_EQ(Translate(e, KMOD_RALT), typed);
}

TEST(SdlEventTranslatorTest, MouseButtonsDoubleClicksAndClampedCoordinates) {
  std::deque<Event> out;
  TranslateSdlEvent(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20, 2), 0, out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].type, EventType::kLButtonDown);
  EXPECT_EQ(out[1].type, EventType::kLButtonDblClk);
  EXPECT_EQ(out[1].x, 10);
  EXPECT_EQ(out[1].y, 20);
  // A third quick click starts a new pair; releases and the right button never double.
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1, 3)).size(), 1u);
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1, 4)).size(), 2u);
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 1, 2)), (Brief{{EventType::kLButtonUp, 0}}));
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6, 2)), (Brief{{EventType::kRButtonDown, 0}}));
  EXPECT_EQ(Translate(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 5, 6)), (Brief{{EventType::kRButtonUp, 0}}));
  EXPECT_TRUE(Translate(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 5, 6)).empty());

  // A drag that leaves the window to the left stays at 0, not at 65536 - n.
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = -7;
  motion.motion.y = 70000;
  out.clear();
  TranslateSdlEvent(motion, 0, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].type, EventType::kMouseMove);
  EXPECT_EQ(out[0].x, 0);
  EXPECT_EQ(out[0].y, 65535);
}

TEST(SdlEventTranslatorTest, WindowEventsQuitAndModifiers) {
  for (auto [sdlType, expected] : {std::pair{SDL_WINDOWEVENT_FOCUS_GAINED, EventType::kActivate},
                                   std::pair{SDL_WINDOWEVENT_EXPOSED, EventType::kPaint},
                                   std::pair{SDL_WINDOWEVENT_SIZE_CHANGED, EventType::kSize},
                                   std::pair{SDL_WINDOWEVENT_MINIMIZED, EventType::kSize},
                                   std::pair{SDL_WINDOWEVENT_CLOSE, EventType::kClose}}) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = sdlType;
    EXPECT_EQ(Translate(e), (Brief{{expected, 0}})) << int{sdlType};
  }
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_MOVED;
  EXPECT_TRUE(Translate(e).empty());
  e.type = SDL_QUIT;
  EXPECT_EQ(Translate(e), (Brief{{EventType::kClose, 0}}));

  EXPECT_EQ(ModifierMaskFromSdl(KMOD_NONE), 0);
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_LCTRL | KMOD_NUM | KMOD_CAPS), 2);
  EXPECT_EQ(ModifierMaskFromSdl(KMOD_LSHIFT | KMOD_RCTRL | KMOD_RALT), 7);
}

}  // namespace
}  // namespace tavlero::platform
