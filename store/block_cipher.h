// The block layer of sealed data: a DES-based 64-bit block cipher in CBC mode with
// a zero start value, and the padding that carries the plain length inside the last
// block. Used by sealed files and, on its own, by the picture container's JPEG
// chunks.
//
// The cipher is DES with one twist: between the initial and final permutations each
// 32-bit half is held little-endian (bytes b0..b3 as b0 + b1<<8 + b2<<16 + b3<<24),
// so it does not reproduce standard DES test vectors.
//
// Keys: only the first 8 bytes count (a shorter key is padded with zero bytes), and
// the lowest bit of every key byte has no effect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "store/des.h"

namespace tavlero {

constexpr std::ptrdiff_t kCipherBlockSize = 8;

// Number of cipher bytes for `length` plain bytes: length - length % 8 + 8.
constexpr std::ptrdiff_t SealedCipherLength(std::ptrdiff_t length) {
  return length - length % kCipherBlockSize + kCipherBlockSize;
}

// The 16 round subkeys of one key, computed once and reusable for many buffers.
class BlockCipherKey {
 public:
  explicit BlockCipherKey(std::string_view key);

  void EncipherBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;
  void DecipherBlock(const std::uint8_t in[8], std::uint8_t out[8]) const;

 private:
  des::KeySchedule schedule_;
};

// Pads and enciphers `length` plain bytes into `out`. Returns N, the number of
// cipher bytes (SealedCipherLength(length)); nothing is written when `capacity` is
// below N. Filler bytes of an extra block come from the shared random generator.
std::ptrdiff_t EncipherBuffer(const void* plain, std::ptrdiff_t length, void* out,
                              std::ptrdiff_t capacity, std::string_view key);

// Deciphers the whole blocks of `count` cipher bytes (M = count rounded down to a
// multiple of 8; bytes beyond M are ignored). Returns 0 when M < 8. When `capacity`
// is below M or not positive, nothing is deciphered and M is returned. Otherwise
// returns the plain length M - 8 + b, b being the last plain block's byte 7 as a
// signed number. The result is NOT checked: callers must accept only 0 ... M (a
// wrong key or damaged data gives other values) and should verify a checksum.
std::ptrdiff_t DecipherBuffer(const void* cipher, std::ptrdiff_t count, void* out,
                              std::ptrdiff_t capacity, std::string_view key);

}  // namespace tavlero
