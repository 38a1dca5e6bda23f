#include "store/des.h"

#include <array>
#include <bit>

namespace tavlero::des {
namespace {

constexpr std::uint8_t kInitial[64] = {
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
    57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr std::uint8_t kFinal[64] = {
    40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
    38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
    36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
    34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};

constexpr std::uint8_t kPermutationP[32] = {
    16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
    2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr std::uint8_t kChoice1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
    10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
    14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr std::uint8_t kChoice2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
    23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr std::uint8_t kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr std::uint8_t kSBoxes[8][4][16] = {
    {{14, 4, 13, 1, 2, 15, 11, 8, 3, 10, 6, 12, 5, 9, 0, 7},
     {0, 15, 7, 4, 14, 2, 13, 1, 10, 6, 12, 11, 9, 5, 3, 8},
     {4, 1, 14, 8, 13, 6, 2, 11, 15, 12, 9, 7, 3, 10, 5, 0},
     {15, 12, 8, 2, 4, 9, 1, 7, 5, 11, 3, 14, 10, 0, 6, 13}},
    {{15, 1, 8, 14, 6, 11, 3, 4, 9, 7, 2, 13, 12, 0, 5, 10},
     {3, 13, 4, 7, 15, 2, 8, 14, 12, 0, 1, 10, 6, 9, 11, 5},
     {0, 14, 7, 11, 10, 4, 13, 1, 5, 8, 12, 6, 9, 3, 2, 15},
     {13, 8, 10, 1, 3, 15, 4, 2, 11, 6, 7, 12, 0, 5, 14, 9}},
    {{10, 0, 9, 14, 6, 3, 15, 5, 1, 13, 12, 7, 11, 4, 2, 8},
     {13, 7, 0, 9, 3, 4, 6, 10, 2, 8, 5, 14, 12, 11, 15, 1},
     {13, 6, 4, 9, 8, 15, 3, 0, 11, 1, 2, 12, 5, 10, 14, 7},
     {1, 10, 13, 0, 6, 9, 8, 7, 4, 15, 14, 3, 11, 5, 2, 12}},
    {{7, 13, 14, 3, 0, 6, 9, 10, 1, 2, 8, 5, 11, 12, 4, 15},
     {13, 8, 11, 5, 6, 15, 0, 3, 4, 7, 2, 12, 1, 10, 14, 9},
     {10, 6, 9, 0, 12, 11, 7, 13, 15, 1, 3, 14, 5, 2, 8, 4},
     {3, 15, 0, 6, 10, 1, 13, 8, 9, 4, 5, 11, 12, 7, 2, 14}},
    {{2, 12, 4, 1, 7, 10, 11, 6, 8, 5, 3, 15, 13, 0, 14, 9},
     {14, 11, 2, 12, 4, 7, 13, 1, 5, 0, 15, 10, 3, 9, 8, 6},
     {4, 2, 1, 11, 10, 13, 7, 8, 15, 9, 12, 5, 6, 3, 0, 14},
     {11, 8, 12, 7, 1, 14, 2, 13, 6, 15, 0, 9, 10, 4, 5, 3}},
    {{12, 1, 10, 15, 9, 2, 6, 8, 0, 13, 3, 4, 14, 7, 5, 11},
     {10, 15, 4, 2, 7, 12, 9, 5, 6, 1, 13, 14, 0, 11, 3, 8},
     {9, 14, 15, 5, 2, 8, 12, 3, 7, 0, 4, 10, 1, 13, 11, 6},
     {4, 3, 2, 12, 9, 5, 15, 10, 11, 14, 1, 7, 6, 0, 8, 13}},
    {{4, 11, 2, 14, 15, 0, 8, 13, 3, 12, 9, 7, 5, 10, 6, 1},
     {13, 0, 11, 7, 4, 9, 1, 10, 14, 3, 5, 12, 2, 15, 8, 6},
     {1, 4, 11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5, 9, 2},
     {6, 11, 13, 8, 1, 4, 10, 7, 9, 5, 0, 15, 14, 2, 3, 12}},
    {{13, 2, 8, 4, 6, 15, 11, 1, 10, 9, 3, 14, 5, 0, 12, 7},
     {1, 15, 13, 8, 10, 3, 7, 4, 12, 5, 6, 11, 0, 14, 9, 2},
     {7, 11, 4, 1, 9, 12, 14, 2, 0, 6, 10, 13, 15, 3, 5, 8},
     {2, 1, 14, 7, 4, 10, 8, 13, 15, 12, 9, 0, 3, 5, 6, 11}}};

// Bit `position` (1 = most significant) of a `width`-bit number.
constexpr std::uint64_t Bit(std::uint64_t value, int position, int width) {
  return (value >> (width - position)) & 1u;
}

// A 64-bit permutation as eight byte-indexed lookup tables: output bit i is input
// bit table[i], so each input byte contributes a fixed set of output bits.
using PermutationTables = std::array<std::array<std::uint64_t, 256>, 8>;

constexpr PermutationTables MakePermutationTables(const std::uint8_t (&table)[64]) {
  PermutationTables result{};
  for (int byte = 0; byte < 8; ++byte) {
    for (int value = 0; value < 256; ++value) {
      std::uint64_t input = static_cast<std::uint64_t>(value) << (56 - 8 * byte);
      std::uint64_t output = 0;
      for (int i = 0; i < 64; ++i) output |= Bit(input, table[i], 64) << (63 - i);
      result[byte][value] = output;
    }
  }
  return result;
}

// S-box j followed by P, indexed by the box's 6 input bits.
using SpTables = std::array<std::array<std::uint32_t, 64>, 8>;

constexpr SpTables MakeSpTables() {
  SpTables result{};
  for (int box = 0; box < 8; ++box) {
    for (int input = 0; input < 64; ++input) {
      int row = ((input >> 4) & 2) | (input & 1);
      int column = (input >> 1) & 15;
      std::uint32_t s_out = static_cast<std::uint32_t>(kSBoxes[box][row][column]) << (28 - 4 * box);
      std::uint32_t p_out = 0;
      for (int i = 0; i < 32; ++i) {
        p_out |= static_cast<std::uint32_t>(Bit(s_out, kPermutationP[i], 32)) << (31 - i);
      }
      result[box][input] = p_out;
    }
  }
  return result;
}

constexpr PermutationTables kInitialTables = MakePermutationTables(kInitial);
constexpr PermutationTables kFinalTables = MakePermutationTables(kFinal);
constexpr SpTables kSpTables = MakeSpTables();

std::uint64_t Permute(std::uint64_t block, const PermutationTables& tables) {
  std::uint64_t result = 0;
  for (int byte = 0; byte < 8; ++byte) result |= tables[byte][(block >> (56 - 8 * byte)) & 0xFF];
  return result;
}

constexpr std::uint32_t RotateLeft28(std::uint32_t value, int count) {
  return ((value << count) | (value >> (28 - count))) & 0x0FFFFFFFu;
}

}  // namespace

std::uint64_t LoadBlock(const std::uint8_t bytes[8]) {
  std::uint64_t block = 0;
  for (int i = 0; i < 8; ++i) block = (block << 8) | bytes[i];
  return block;
}

void StoreBlock(std::uint64_t block, std::uint8_t bytes[8]) {
  for (int i = 7; i >= 0; --i) {
    bytes[i] = static_cast<std::uint8_t>(block);
    block >>= 8;
  }
}

std::uint64_t InitialPermutation(std::uint64_t block) { return Permute(block, kInitialTables); }

std::uint64_t FinalPermutation(std::uint64_t block) { return Permute(block, kFinalTables); }

KeySchedule MakeKeySchedule(const std::uint8_t key[8]) {
  const std::uint64_t key_bits = LoadBlock(key);
  std::uint64_t chosen = 0;  // 56 bits, C on top
  for (int i = 0; i < 56; ++i) chosen = (chosen << 1) | Bit(key_bits, kChoice1[i], 64);
  std::uint32_t c = static_cast<std::uint32_t>(chosen >> 28) & 0x0FFFFFFFu;
  std::uint32_t d = static_cast<std::uint32_t>(chosen) & 0x0FFFFFFFu;

  KeySchedule schedule{};
  for (int round = 0; round < 16; ++round) {
    c = RotateLeft28(c, kShifts[round]);
    d = RotateLeft28(d, kShifts[round]);
    const std::uint64_t cd = (static_cast<std::uint64_t>(c) << 28) | d;
    for (int group = 0; group < 8; ++group) {
      std::uint8_t six = 0;
      for (int i = 0; i < 6; ++i) {
        six = static_cast<std::uint8_t>((six << 1) | Bit(cd, kChoice2[group * 6 + i], 56));
      }
      schedule.round[round][group] = six;
    }
  }
  return schedule;
}

std::uint32_t RoundFunction(std::uint32_t right, const std::uint8_t subkey[8]) {
  // Expansion group j covers bits 4j ... 4j + 5 of the half (bit 0 meaning bit 32):
  // rotate bit 4j to the top and take six bits.
  const auto group = [right](int rotation) { return std::rotl(right, rotation) >> 26; };
  return kSpTables[0][group(31) ^ subkey[0]] | kSpTables[1][group(3) ^ subkey[1]] |
         kSpTables[2][group(7) ^ subkey[2]] | kSpTables[3][group(11) ^ subkey[3]] |
         kSpTables[4][group(15) ^ subkey[4]] | kSpTables[5][group(19) ^ subkey[5]] |
         kSpTables[6][group(23) ^ subkey[6]] | kSpTables[7][group(27) ^ subkey[7]];
}

void Rounds(std::uint32_t& left, std::uint32_t& right, const KeySchedule& schedule, bool decipher) {
  std::uint32_t l = left;
  std::uint32_t r = right;
  for (int i = 0; i < 16; ++i) {
    const std::uint8_t* subkey = schedule.round[decipher ? 15 - i : i];
    const std::uint32_t next = l ^ RoundFunction(r, subkey);
    l = r;
    r = next;
  }
  left = r;
  right = l;
}

}  // namespace tavlero::des
