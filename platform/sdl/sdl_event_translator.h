// Turns SDL events into the window events the game expects, in the order and form the
// classic desktop delivers them: key down, then the typed character; Alt and F10 as
// system keys; a double click as a button press followed by a double-click event.
#pragma once

#include <SDL2/SDL_events.h>

#include <deque>

#include "platform/window_system.h"

namespace tavlero::platform {

// The SDL modifier state as the game's modifier mask (Shift 1, Ctrl 2, Alt 4).
int ModifierMaskFromSdl(Uint16 sdlModifiers);

// Appends the window events for one SDL event (none, one or several) to `out`.
// `modifiersNow` is SDL's modifier state when the event is taken; text input uses it to
// drop characters typed with the left Alt held (those are shortcuts, not text).
void TranslateSdlEvent(const SDL_Event& sdlEvent, Uint16 modifiersNow, std::deque<Event>& out);

}  // namespace tavlero::platform
