// The building blocks of the DES block cipher (tables and key schedule of the
// standard): the initial and final permutations, the key schedule and the 16
// Feistel rounds. Blocks are 64-bit numbers whose most significant bit is bit 1 of
// the standard (the top bit of the first byte); halves are 32-bit numbers with bit 1
// at the top. How the halves are loaded from and stored to bytes is left to the
// caller (see block_cipher.cpp).
#pragma once

#include <cstdint>

namespace tavlero::des {

struct KeySchedule {
  // Per round: the 48-bit subkey as eight 6-bit groups, S-box 1 first.
  std::uint8_t round[16][8];
};

// The block's 8 bytes as a number, first byte on top.
std::uint64_t LoadBlock(const std::uint8_t bytes[8]);
void StoreBlock(std::uint64_t block, std::uint8_t bytes[8]);

std::uint64_t InitialPermutation(std::uint64_t block);
std::uint64_t FinalPermutation(std::uint64_t block);

// Subkeys from the 8 key bytes (the lowest bit of every byte is unused).
KeySchedule MakeKeySchedule(const std::uint8_t key[8]);

// The cipher function f(R, K) of one round.
std::uint32_t RoundFunction(std::uint32_t right, const std::uint8_t subkey[8]);

// Runs the 16 rounds on the halves (subkeys in reverse order when deciphering) and
// leaves them exchanged as the standard does before the final permutation:
// afterwards `left` holds R16 and `right` holds L16.
void Rounds(std::uint32_t& left, std::uint32_t& right, const KeySchedule& schedule, bool decipher);

}  // namespace tavlero::des
