// Counting set bits without a library call: the build targets processors that may
// lack a population-count instruction, where std::popcount calls out of line.
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int CountBits(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

// Whether at most `limit` bits are set (a few steps when the answer is yes).
constexpr bool AtMostBits(std::uint64_t x, int limit) {
  for (int i = 0; i < limit && x != 0; ++i) x &= x - 1;
  return x == 0;
}

}  // namespace tavlero
