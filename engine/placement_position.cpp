#include "engine/placement_position.h"

#include <algorithm>

namespace tavlero {

namespace {
int ClampedSide(int boardSize) { return std::clamp(boardSize, 0, kGomokuMaxSide); }

template <class Move>
int CopyMoves(const int* cells, int count, Move* out, int room) {
  if (count > room) return -1;
  for (int i = 0; i < count; ++i) out[i].cell = static_cast<std::int16_t>(cells[i]);
  return count;
}
}  // namespace

bool HoldsOnlyStones(const int* cells, int n) {
  n = ClampedSide(n);
  for (int i = 0; i < n * n; ++i)
    if (cells[i] < -1 || cells[i] > 1) return false;
  return true;
}

HexPosition::HexPosition(const int* cells, int boardSize, int player) : n_(boardSize), player_(player) {
  const int n = ClampedSide(boardSize);
  for (int i = 0; i < n * n; ++i) Place(i, cells[i]);
}

int HexPosition::Generate(Move* out, int room, bool) const {
  int moves[kMaxCells];
  return CopyMoves(moves, ListHexMoves(cells_, n_, moves), out, room);
}

GomokuPosition::GomokuPosition(const int* cells, int boardSize, int player)
    : board_(boardSize), player_(player) {
  const int n = ClampedSide(boardSize);
  for (int i = 0; i < n * n; ++i)
    if (cells[i] != 0) Place(i, cells[i]);
}

int GomokuPosition::Generate(Move* out, int room, bool) const {
  int moves[kMaxCells];
  return CopyMoves(moves, ListOfferedPoints(board_.Cells(), board_.Side(), moves), out, room);
}

}  // namespace tavlero
