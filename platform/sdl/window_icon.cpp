#include "platform/sdl/window_icon.h"

#include <SDL2/SDL_surface.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tavlero::platform {
namespace {

struct Colour {
  float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float f) { return {c.r * f, c.g * f, c.b * f}; }

float Smooth(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Geometry in unit coordinates: (0, 0) top-left, (1, 1) bottom-right.
constexpr float kPieceX = 0.5f, kPieceY = 0.48f, kPieceRadius = 0.40f;
constexpr Colour kSquareTop{0.45f, 0.29f, 0.17f}, kSquareBottom{0.29f, 0.17f, 0.09f};
constexpr Colour kPieceRed{0.80f, 0.10f, 0.12f};
constexpr Colour kWhite{1, 1, 1};

Colour BoardSquare(float u, float v) {
  Colour c = Mix(kSquareTop, kSquareBottom, v);
  // Faint grain across the wood.
  c = Scale(c, 1.0f + 0.05f * std::sin(v * 40.0f + std::sin(u * 7.0f) * 2.0f));
  // Bevel: lit along the top and left edges, shaded along the bottom and right.
  constexpr float kBevel = 0.06f;
  if (u < kBevel || v < kBevel) c = Mix(c, Scale(kSquareTop, 1.35f), 0.5f);
  if (u > 1 - kBevel || v > 1 - kBevel) c = Scale(c, 0.65f);
  // The piece's soft shadow, cast down and to the right.
  const float sd = std::hypot(u - kPieceX - 0.04f, v - kPieceY - 0.06f);
  return Scale(c, 1.0f - 0.55f * (1.0f - Smooth(kPieceRadius - 0.04f, kPieceRadius + 0.06f, sd)));
}

// Colour of the piece at (u, v), which lies inside it.
Colour Piece(float u, float v) {
  const float dx = u - kPieceX, dy = v - kPieceY;
  const float d = std::hypot(dx, dy) / kPieceRadius;  // 0 centre ... 1 rim
  // Light from the top left.
  const float facing = (-dx - dy) / (kPieceRadius * 1.414f);
  Colour c = Scale(kPieceRed, 0.78f + 0.32f * facing);
  // The raised rim and the groove inside it.
  if (d > 0.86f) c = Scale(c, 0.78f + 0.5f * facing * (d - 0.86f));
  const float groove = 1.0f - Smooth(0.0f, 0.05f, std::fabs(d - 0.68f));
  c = Scale(c, 1.0f - 0.35f * groove);
  // Gloss: an elongated highlight towards the light.
  const float hx = u - 0.37f, hy = v - 0.33f;
  const float along = (hx - hy) * 0.7071f, across = (hx + hy) * 0.7071f;
  const float e = (along * along) / (0.17f * 0.17f) + (across * across) / (0.075f * 0.075f);
  if (e < 1) c = Mix(c, kWhite, 0.8f * std::pow(1 - e, 1.5f));
  return c;
}

Colour Sample(float u, float v) {
  if (std::hypot(u - kPieceX, v - kPieceY) <= kPieceRadius) return Piece(u, v);
  return BoardSquare(u, v);
}

std::uint8_t Channel(float value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255));
}

}  // namespace

std::vector<std::uint32_t> PaintWindowIcon(int size) {
  if (size <= 0) return {};
  constexpr int kSamples = 4;  // per axis
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Colour sum{0, 0, 0};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float u = (x + (sx + 0.5f) / kSamples) / size;
          const float v = (y + (sy + 0.5f) / kSamples) / size;
          const Colour c = Sample(u, v);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      const Colour mean = Scale(sum, 1.0f / (kSamples * kSamples));
      pixels[static_cast<std::size_t>(y) * size + x] = 0xFF000000u |
                                                       (std::uint32_t{Channel(mean.r)} << 16) |
                                                       (std::uint32_t{Channel(mean.g)} << 8) |
                                                       Channel(mean.b);
    }
  }
  return pixels;
}

SDL_Surface* CreateWindowIconSurface(int size) {
  const std::vector<std::uint32_t> pixels = PaintWindowIcon(size);
  if (pixels.empty()) return nullptr;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return nullptr;
  SDL_LockSurface(surface);
  for (int y = 0; y < size; ++y)
    std::memcpy(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch, &pixels[y * size],
                size * sizeof(std::uint32_t));
  SDL_UnlockSurface(surface);
  return surface;
}

}  // namespace tavlero::platform
