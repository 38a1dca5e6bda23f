// The transposition table of the fast search: scores of positions already searched,
// as exact values or bounds, with the move that was best there.
//
// Entries belong to one search (a stamp): a new search never reads an older one's
// entries, so nothing has to be cleared between searches. The key a caller stores
// under must already include everything the score depends on besides the search's
// own depth limit: the position, the side to move and the ply below the root.
#pragma once

#include <cstdint>
#include <memory>

namespace tavlero {

enum class ScoreBound : std::uint8_t { kExact, kLower, kUpper };

struct TableEntry {
  std::uint64_t key;
  std::int32_t score;
  std::uint16_t stamp;
  ScoreBound bound;
  std::uint8_t bestMove;  // index of the best move in the position's move list; kNoMove if none
};

class TranspositionTable {
 public:
  static constexpr int kNoMove = 255;
  static constexpr int kIndexBits = 14;

  TranspositionTable();
  // Starts a new search: entries of earlier searches stop counting.
  void NewSearch();
  // The entry of this search stored under `key`, or null.
  const TableEntry* Probe(std::uint64_t key) const {
    const TableEntry& e = entries_[key & kMask];
    return e.key == key && e.stamp == stamp_ ? &e : nullptr;
  }
  void Store(std::uint64_t key, int score, ScoreBound bound, int bestMove) {
    TableEntry& e = entries_[key & kMask];
    e.key = key;
    e.score = score;
    e.stamp = stamp_;
    e.bound = bound;
    e.bestMove = static_cast<std::uint8_t>(bestMove >= 0 && bestMove < kNoMove ? bestMove : kNoMove);
  }

 private:
  static constexpr std::uint64_t kMask = (1ull << kIndexBits) - 1;
  std::unique_ptr<TableEntry[]> entries_;
  std::uint16_t stamp_ = 0;
};

}  // namespace tavlero
