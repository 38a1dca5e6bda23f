// The program-wide random generator. It keeps the C library's rand() contract that
// every random pick in the game assumes: values 0 ... 32767 (glibc's rand() goes up
// to 2^31 - 1, so the game cannot use it).
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int kRandMax = 32767;

// Next value of the shared generator, 0 ... kRandMax.
int Rand();

// Restarts the shared generator from a seed.
void SeedRand(std::uint32_t seed);

// Seeds the shared generator from the clock (done once at start-up).
void SeedRandFromClock();

// The game's one rule for an integer below n: trunc(r / 32767.0 * n), where
// r = 32767 counts as 0. Takes r as an argument so callers and tests can see it.
int PickBelow(int r, int n);

// PickBelow with the next value of the shared generator.
int RandomBelow(int n);

}  // namespace tavlero
