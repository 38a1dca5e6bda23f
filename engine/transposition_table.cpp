#include "engine/transposition_table.h"

#include <algorithm>

namespace tavlero {

namespace {
constexpr std::size_t kEntries = std::size_t{1} << TranspositionTable::kIndexBits;
constexpr TableEntry kUnused{0, 0, 0, ScoreBound::kExact, TranspositionTable::kNoMove};
}  // namespace

TranspositionTable::TranspositionTable() : entries_(new TableEntry[kEntries]) {
  std::fill(entries_.get(), entries_.get() + kEntries, kUnused);
}

void TranspositionTable::NewSearch() {
  // Stamp 0 marks never-used entries; when the stamps wrap around, old entries could
  // pass for new ones, so the table is emptied then.
  if (++stamp_ == 0) {
    std::fill(entries_.get(), entries_.get() + kEntries, kUnused);
    stamp_ = 1;
  }
}

}  // namespace tavlero
