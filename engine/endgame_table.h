// The endgame table of kind 0: exact scores of positions with at most three pieces,
// keyed by a compact code of the position seen from the side to move.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace tavlero {

class EndgameTable {
 public:
  // Adds the 8-byte records (int32 key, int32 score, little-endian) of a file; a later
  // record with the same key replaces an earlier one, a short tail is ignored.
  // False, with the table unchanged, when the file cannot be opened.
  bool Load(const std::string& fileName);
  // True and the stored score (for the side to move) when the key is present.
  bool Find(std::int32_t key, int& score) const {
    const auto it = entries_.find(key);
    if (it == entries_.end()) return false;
    score = it->second;
    return true;
  }
  void Set(std::int32_t key, std::int32_t score) { entries_[key] = score; }
  std::size_t Size() const { return entries_.size(); }
  const std::map<std::int32_t, std::int32_t>& Entries() const { return entries_; }

 private:
  std::map<std::int32_t, std::int32_t> entries_;
};

// The key of a kind-0 position of up to four pieces: the position is turned by 180
// degrees with colours swapped when side -1 is to move, each piece gets a one-byte
// code (opponent kings 0-31, opponent men 32-63, own men 65-96, own kings 97-128, 64
// for an unused slot), and the four codes, sorted, make the key, smallest code first.
// `cells` holds the 32 dark squares.
std::int32_t MakeEndgameKey(int player, const int* cells);

}  // namespace tavlero
