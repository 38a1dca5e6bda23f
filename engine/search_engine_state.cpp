// Reading and writing an engine's position as settings-tree keys under a prefix.
#include <algorithm>

#include "engine/draughts_squares.h"
#include "engine/search_engine.h"
#include "store/settings_tree.h"

namespace tavlero {

namespace {
constexpr int kStoredDepthLimit = 1 << 20;
}  // namespace

void SearchEngine::SaveState(OSettingsTree& tree, const std::string& prefix) const {
  tree.SetIntList(prefix + ".Position", cells, kMaxCells, ' ');
  tree.SetInt(prefix + ".bSize", boardSize);
  tree.SetInt(prefix + ".NumK", cellsInUse);
  tree.SetInt(prefix + ".MaxNumK", totalCells);
  tree.SetInt(prefix + ".Depth", depth);
  tree.SetInt(prefix + ".Player", player);
}

void SearchEngine::LoadState(OSettingsTree& tree, const std::string& prefix) {
  // A short list leaves the missing cells empty; extra entries are ignored. A stored
  // code that no piece has (outside -3 ... 3) reads as an empty cell, and the sizes
  // are kept within the largest board, so a damaged file cannot drive the rules past
  // their tables or their arithmetic.
  const std::vector<int> stored = tree.GetIntList(prefix + ".Position", ' ');
  const std::size_t count = std::min<std::size_t>(stored.size(), kMaxCells);
  std::fill(std::begin(cells), std::end(cells), 0);
  for (std::size_t i = 0; i < count; ++i) cells[i] = stored[i] >= -3 && stored[i] <= 3 ? stored[i] : 0;
  boardSize = std::clamp(tree.GetInt(prefix + ".bSize", 0), 0, kMaxSquareBoard);
  cellsInUse = std::clamp(tree.GetInt(prefix + ".NumK", 0), 0, kMaxCells);
  totalCells = std::clamp(tree.GetInt(prefix + ".MaxNumK", 0), 0, kMaxCells);
  // A node's depth counts plies below the root, so it is never negative. A hand-edited
  // value outside 0 ... kStoredDepthLimit would make the search recurse without end
  // (negative) or overflow its ply arithmetic (huge); it is kept within that band.
  depth = std::clamp(tree.GetInt(prefix + ".Depth", 0), 0, kStoredDepthLimit);
  // The side to move is +1 or -1; the search negates it for every ply, which a stored
  // -2147483648 would overflow. A missing key (0) gives side +1, which opens a game.
  player = tree.GetInt(prefix + ".Player", 0) < 0 ? -1 : 1;
}

}  // namespace tavlero
