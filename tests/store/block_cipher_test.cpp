#include "store/block_cipher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/random.h"
#include "store/crc32.h"
#include "store/des.h"

namespace tavlero {
namespace {

std::uint64_t StandardDes(std::uint64_t key, std::uint64_t plain, bool decipher) {
  std::uint8_t key_bytes[8];
  des::StoreBlock(key, key_bytes);
  const des::KeySchedule schedule = des::MakeKeySchedule(key_bytes);
  const std::uint64_t permuted = des::InitialPermutation(plain);
  auto left = static_cast<std::uint32_t>(permuted >> 32);
  auto right = static_cast<std::uint32_t>(permuted);
  des::Rounds(left, right, schedule, decipher);
  return des::FinalPermutation(static_cast<std::uint64_t>(left) << 32 | right);
}

// The tables, the key schedule and the rounds, checked through the standard
// arrangement of the halves against published test vectors.
TEST(DesTest, StandardArrangementReproducesPublishedVectors) {
  EXPECT_EQ(StandardDes(0x133457799BBCDFF1ull, 0x0123456789ABCDEFull, false), 0x85E813540F0AB405ull);
  EXPECT_EQ(StandardDes(0x133457799BBCDFF1ull, 0x85E813540F0AB405ull, true), 0x0123456789ABCDEFull);
  EXPECT_EQ(StandardDes(0x0E329232EA6D0D73ull, 0x8787878787878787ull, false), 0x0000000000000000ull);
  EXPECT_EQ(StandardDes(0x0123456789ABCDEFull, 0x4E6F772069732074ull, false), 0x3FA40E8A984D4815ull);
}

std::vector<std::uint8_t> Bytes(const char* text) {
  return std::vector<std::uint8_t>(text, text + std::strlen(text));
}

TEST(BlockCipherTest, VariantDiffersFromStandardButInvertsAndIgnoresKeyParityAndExtraBytes) {
  const std::uint8_t plain[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
  const std::uint8_t key[8] = {0x13, 0x34, 0x57, 0x79, 0x9B, 0xBC, 0xDF, 0xF1};
  const BlockCipherKey cipher(std::string_view(reinterpret_cast<const char*>(key), 8));
  std::uint8_t out[8];
  std::uint8_t back[8];
  cipher.EncipherBlock(plain, out);
  EXPECT_NE(des::LoadBlock(out), 0x85E813540F0AB405ull);
  cipher.DecipherBlock(out, back);
  EXPECT_EQ(std::memcmp(back, plain, 8), 0);

  // Flipping the lowest bit of every key byte, or adding bytes after the eighth,
  // leaves the cipher unchanged.
  std::uint8_t flipped[8];
  for (int i = 0; i < 8; ++i) flipped[i] = key[i] ^ 1;
  std::uint8_t out_flipped[8];
  BlockCipherKey(std::string_view(reinterpret_cast<const char*>(flipped), 8)).EncipherBlock(plain, out_flipped);
  EXPECT_EQ(std::memcmp(out, out_flipped, 8), 0);

  std::uint8_t a[8], b[8], c[8];
  BlockCipherKey("50719384").EncipherBlock(plain, a);
  BlockCipherKey("50719384-and-more").EncipherBlock(plain, b);
  BlockCipherKey("50719385").EncipherBlock(plain, c);  // '4' and '5' differ only in bit 0
  EXPECT_EQ(std::memcmp(a, b, 8), 0);
  EXPECT_EQ(std::memcmp(a, c, 8), 0);
  BlockCipherKey("50719386").EncipherBlock(plain, c);
  EXPECT_NE(std::memcmp(a, c, 8), 0);
}

// The variant is standard DES with each half's byte order reversed on entering and
// leaving the rounds.
TEST(BlockCipherTest, VariantEqualsStandardRoundsOnByteSwappedHalves) {
  const std::uint8_t key[8] = {'T', 'i', 'l', 'e', 'L', 'o', 'c', 'k'};
  const des::KeySchedule schedule = des::MakeKeySchedule(key);
  const BlockCipherKey cipher("TileLock");
  SeedRand(7);
  for (int trial = 0; trial < 50; ++trial) {
    std::uint8_t plain[8];
    for (auto& byte : plain) byte = static_cast<std::uint8_t>(Rand());
    const std::uint64_t permuted = des::InitialPermutation(des::LoadBlock(plain));
    std::uint32_t left = __builtin_bswap32(static_cast<std::uint32_t>(permuted >> 32));
    std::uint32_t right = __builtin_bswap32(static_cast<std::uint32_t>(permuted));
    des::Rounds(left, right, schedule, false);
    const std::uint64_t expected = des::FinalPermutation(
        static_cast<std::uint64_t>(__builtin_bswap32(left)) << 32 | __builtin_bswap32(right));
    std::uint8_t out[8];
    cipher.EncipherBlock(plain, out);
    ASSERT_EQ(des::LoadBlock(out), expected);
  }
}

TEST(BlockCipherTest, BufferLengthsPaddingAndCapacityRules) {
  std::vector<std::uint8_t> plain = Bytes("0123456789abcdefXYZ");
  std::vector<std::uint8_t> cipher(64, 0xEE);
  std::vector<std::uint8_t> back(64, 0);
  for (std::ptrdiff_t length : {0, 1, 7, 8, 9, 16, 19}) {
    const std::ptrdiff_t n = EncipherBuffer(plain.data(), length, cipher.data(), 64, "TileLock");
    EXPECT_EQ(n, length - length % 8 + 8) << length;
    EXPECT_EQ(DecipherBuffer(cipher.data(), n, back.data(), 64, "TileLock"), length);
    EXPECT_EQ(std::memcmp(back.data(), plain.data(), static_cast<std::size_t>(length)), 0);
    // Byte 7 of the last plain block holds the remainder.
    EXPECT_EQ(back[static_cast<std::size_t>(n) - 1], length % 8);
    // Trailing bytes beyond whole blocks are ignored.
    EXPECT_EQ(DecipherBuffer(cipher.data(), n + 5, back.data(), 64, "TileLock"), length);
  }

  // Capacity too small: nothing written, N or M returned.
  std::vector<std::uint8_t> untouched(16, 0xAA);
  EXPECT_EQ(EncipherBuffer(plain.data(), 9, untouched.data(), 15, "TileLock"), 16);
  EXPECT_EQ(untouched, std::vector<std::uint8_t>(16, 0xAA));
  const std::ptrdiff_t n = EncipherBuffer(plain.data(), 9, cipher.data(), 64, "TileLock");
  EXPECT_EQ(DecipherBuffer(cipher.data(), n, untouched.data(), 15, "TileLock"), 16);
  EXPECT_EQ(DecipherBuffer(cipher.data(), n, untouched.data(), 0, "TileLock"), 16);
  EXPECT_EQ(untouched, std::vector<std::uint8_t>(16, 0xAA));
  // Less than one whole block.
  EXPECT_EQ(DecipherBuffer(cipher.data(), 7, back.data(), 64, "TileLock"), 0);
}

TEST(BlockCipherTest, WorksInPlaceAndChainsBlocks) {
  // Two equal plain blocks give different cipher blocks under chaining.
  std::vector<std::uint8_t> data = Bytes("ABCDEFGHABCDEFGH");
  data.resize(24);
  EncipherBuffer(data.data(), 16, data.data(), 24, "key");
  EXPECT_NE(std::memcmp(data.data(), data.data() + 8, 8), 0);
  EXPECT_EQ(DecipherBuffer(data.data(), 24, data.data(), 24, "key"), 16);
  EXPECT_EQ(std::memcmp(data.data(), "ABCDEFGHABCDEFGH", 16), 0);
}

TEST(Crc32Test, MatchesTheBzip2CheckValue) {
  EXPECT_EQ(Crc32("123456789", 9), 0xFC891918u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
  EXPECT_EQ(Crc32("a", 1), 0x19939B6Bu);
}

}  // namespace
}  // namespace tavlero
