// The window's icon, painted in code: a glossy red draughts piece on a dark board square.
#pragma once

#include <cstdint>
#include <vector>

struct SDL_Surface;

namespace tavlero::platform {

// size x size pixels, 0xAARRGGBB, top-down rows; antialiased by supersampling, so the
// same picture serves at 16, 32 or any other size.
std::vector<std::uint32_t> PaintWindowIcon(int size);

// The same picture as an SDL surface for SDL_SetWindowIcon; the caller frees it. Null
// when SDL cannot make the surface.
SDL_Surface* CreateWindowIconSurface(int size);

}  // namespace tavlero::platform
