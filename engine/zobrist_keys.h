// Fixed random keys for hashing positions of the board kinds: one per cell and piece
// code, one for the side to move and one per ply below the root (a search's scores
// depend on the ply, so equal positions at different plies must not share an entry).
#pragma once

#include <cstdint>

#include "engine/search_engine.h"

namespace tavlero {

// The deepest ply a fast search goes below its root.
constexpr int kMaxSearchPly = 64;
// Piece codes that get a key: -2 ... +2.
constexpr int kHashedCodes = 5;

struct ZobristKeys {
  std::uint64_t cell[kMaxCells][kHashedCodes];
  std::uint64_t sideMinus;  // side -1 to move
  std::uint64_t ply[kMaxSearchPly + 1];
};

constexpr std::uint64_t SplitMix64(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

constexpr ZobristKeys MakeZobristKeys() {
  ZobristKeys keys{};
  std::uint64_t state = 0x7A61C0DE2024ull;
  for (auto& cell : keys.cell)
    for (std::uint64_t& key : cell) key = SplitMix64(state);
  keys.sideMinus = SplitMix64(state);
  for (std::uint64_t& key : keys.ply) key = SplitMix64(state);
  return keys;
}

inline constexpr ZobristKeys kZobrist = MakeZobristKeys();

// The key of a code (-2 ... +2) on a cell; an empty cell hashes to 0.
inline std::uint64_t CellKey(int cell, int code) { return code == 0 ? 0 : kZobrist.cell[cell][code + 2]; }

}  // namespace tavlero
