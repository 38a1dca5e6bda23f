// Cell codes of the board kinds and the few facts every part of the game reads off
// them: whose piece a cell holds and how many pieces a side has.
#pragma once

namespace tavlero {

// 0 empty; +-1 a man, disc or stone; +-2 a king; +-3 a piece jumped by a flying king
// during the capture now being made (it stays on its square until the next move
// generation clears it). The sign is the side: +1 or -1.
constexpr int kEmptyCell = 0;
constexpr int kManCode = 1;
constexpr int kKingCode = 2;
constexpr int kCaptureMarkCode = 3;

// The side a cell belongs to: +1, -1, or 0 for an empty cell.
constexpr int CellOwner(int code) { return code > 0 ? 1 : (code < 0 ? -1 : 0); }

constexpr bool BelongsTo(int code, int side) { return code * side > 0; }
constexpr bool IsKing(int code) { return code == kKingCode || code == -kKingCode; }
constexpr bool IsCaptureMark(int code) { return code == kCaptureMarkCode || code == -kCaptureMarkCode; }

// Number of cells among the first `count` whose code belongs to `side`.
inline int CountPieces(const int* cells, int count, int side) {
  int pieces = 0;
  for (int i = 0; i < count; ++i) pieces += BelongsTo(cells[i], side) ? 1 : 0;
  return pieces;
}

}  // namespace tavlero
