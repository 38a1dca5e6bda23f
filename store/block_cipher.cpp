#include "store/block_cipher.h"

#include <cstring>

#include "platform/random.h"

namespace tavlero {
namespace {

// The cipher's halves are little-endian numbers of the permuted bytes.
std::uint32_t LoadHalf(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void StoreHalf(std::uint32_t half, std::uint8_t* bytes) {
  bytes[0] = static_cast<std::uint8_t>(half);
  bytes[1] = static_cast<std::uint8_t>(half >> 8);
  bytes[2] = static_cast<std::uint8_t>(half >> 16);
  bytes[3] = static_cast<std::uint8_t>(half >> 24);
}

void CipherBlock(const des::KeySchedule& schedule, const std::uint8_t in[8], std::uint8_t out[8],
                 bool decipher) {
  std::uint8_t permuted[8];
  des::StoreBlock(des::InitialPermutation(des::LoadBlock(in)), permuted);
  std::uint32_t left = LoadHalf(permuted);
  std::uint32_t right = LoadHalf(permuted + 4);
  des::Rounds(left, right, schedule, decipher);
  StoreHalf(left, permuted);
  StoreHalf(right, permuted + 4);
  des::StoreBlock(des::FinalPermutation(des::LoadBlock(permuted)), out);
}

void XorBlock(std::uint8_t block[8], const std::uint8_t with[8]) {
  for (int i = 0; i < 8; ++i) block[i] ^= with[i];
}

std::uint8_t RandomByte() { return static_cast<std::uint8_t>(Rand() & 0xFF); }

}  // namespace

BlockCipherKey::BlockCipherKey(std::string_view key) {
  std::uint8_t bytes[8] = {};
  std::memcpy(bytes, key.data(), key.size() < 8 ? key.size() : 8);
  schedule_ = des::MakeKeySchedule(bytes);
}

void BlockCipherKey::EncipherBlock(const std::uint8_t in[8], std::uint8_t out[8]) const {
  CipherBlock(schedule_, in, out, false);
}

void BlockCipherKey::DecipherBlock(const std::uint8_t in[8], std::uint8_t out[8]) const {
  CipherBlock(schedule_, in, out, true);
}

std::ptrdiff_t EncipherBuffer(const void* plain, std::ptrdiff_t length, void* out,
                              std::ptrdiff_t capacity, std::string_view key) {
  if (length < 0) length = 0;
  const std::ptrdiff_t cipher_length = SealedCipherLength(length);
  if (capacity < cipher_length) return cipher_length;

  const BlockCipherKey cipher(key);
  const auto* source = static_cast<const std::uint8_t*>(plain);
  auto* target = static_cast<std::uint8_t*>(out);
  std::uint8_t chain[8] = {};
  std::uint8_t block[8];

  // Each block is copied out before its cipher block is written, so `out` may be
  // the same buffer as `plain`.
  const std::ptrdiff_t whole = length - length % kCipherBlockSize;
  for (std::ptrdiff_t offset = 0; offset < whole; offset += kCipherBlockSize) {
    std::memcpy(block, source + offset, 8);
    XorBlock(block, chain);
    cipher.EncipherBlock(block, chain);
    std::memcpy(target + offset, chain, 8);
  }

  // The last block: the remaining n content bytes, filler, and n in byte 7. With no
  // remainder this is a block of filler and 0.
  const int remainder = static_cast<int>(length - whole);
  if (remainder > 0) std::memcpy(block, source + whole, static_cast<std::size_t>(remainder));
  for (int i = remainder; i < 7; ++i) block[i] = RandomByte();
  block[7] = static_cast<std::uint8_t>(remainder);
  XorBlock(block, chain);
  cipher.EncipherBlock(block, target + whole);
  return cipher_length;
}

std::ptrdiff_t DecipherBuffer(const void* cipher_bytes, std::ptrdiff_t count, void* out,
                              std::ptrdiff_t capacity, std::string_view key) {
  const std::ptrdiff_t whole = count < 0 ? 0 : count - count % kCipherBlockSize;
  if (whole < kCipherBlockSize) return 0;
  if (capacity <= 0 || capacity < whole) return whole;

  const BlockCipherKey cipher(key);
  const auto* source = static_cast<const std::uint8_t*>(cipher_bytes);
  auto* target = static_cast<std::uint8_t*>(out);
  std::uint8_t chain[8] = {};
  std::uint8_t block[8];
  std::uint8_t plain[8];
  for (std::ptrdiff_t offset = 0; offset < whole; offset += kCipherBlockSize) {
    std::memcpy(block, source + offset, 8);
    cipher.DecipherBlock(block, plain);
    XorBlock(plain, chain);
    std::memcpy(chain, block, 8);
    std::memcpy(target + offset, plain, 8);
  }
  const auto last = static_cast<std::int8_t>(target[whole - 1]);
  return whole - kCipherBlockSize + last;
}

}  // namespace tavlero
