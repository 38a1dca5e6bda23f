#include "platform/random.h"

#include <chrono>

namespace tavlero {

namespace {
// The classic linear congruential generator whose bits 16-30 make a 15-bit value.
std::uint32_t g_state = 1;
}  // namespace

int Rand() {
  g_state = g_state * 1103515245u + 12345u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

void SeedRand(std::uint32_t seed) { g_state = seed; }

void SeedRandFromClock() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  SeedRand(static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

int PickBelow(int r, int n) {
  if (r >= kRandMax) r = 0;
  return static_cast<int>(r / static_cast<double>(kRandMax) * n);
}

int RandomBelow(int n) { return PickBelow(Rand(), n); }

}  // namespace tavlero
