// The connection game on the 11 x 11 rhombus (kind 4): the move list, the connection
// test and the connection-distance evaluation, written over a plain array of cell
// codes (index row * n + column, n <= 14) so that the engine nodes and any compact
// search share one rule book.
//
// Side +1 joins row 0 to row n - 1, side -1 joins column 0 to column n - 1. Cell
// (r, c) touches (r-1, c), (r+1, c), (r, c-1), (r, c+1), (r-1, c-1) and (r+1, c+1).
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int kHexMaxSide = 14;
// Level figure while no level connection has been found.
constexpr int kHexNoLevel = 10000000;

// The empty cells, column by column and within a column row by row; returns their
// number.
template <typename Cell>
int ListHexMoves(const Cell* cells, int n, int* moves);

// +1 when side +1 has joined its edges, else -1 when side -1 has, else 0.
template <typename Cell>
int HexConnectedSide(const Cell* cells, int n);

// The board seen by one side, turned so that this side joins column 0 to column n - 1.
struct HexGrid {
  int n = 0;
  bool own[kHexMaxSide][kHexMaxSide] = {};
  bool other[kHexMaxSide][kHexMaxSide] = {};

  bool Inside(int r, int q) const { return r >= 0 && r < n && q >= 0 && q < n; }
  bool Own(int r, int q) const { return Inside(r, q) && own[r][q]; }
  // A cell without a stone of the other side.
  bool Free(int r, int q) const { return Inside(r, q) && !other[r][q]; }
  bool Empty(int r, int q) const { return Inside(r, q) && !own[r][q] && !other[r][q]; }
};

// The grid of `side`: the board transposed for side +1, unchanged for side -1.
template <typename Cell>
HexGrid MakeHexGrid(const Cell* cells, int n, int side);

struct HexDistance {
  // Fewest empty cells still to fill for a chain from column 0 to column n - 1;
  // n * n + 1 when there is no way through.
  int plain = 0;
  // Fewest levels needed when bridges and edge templates count as connections;
  // kHexNoLevel when the far column cannot be reached.
  int level = kHexNoLevel;
};

HexDistance MeasureConnection(const HexGrid& grid);

// Score of the position at search depth `depth`, depth discount included; `decided`
// is set once a side has connected. Scores are seen from the side that moves at the
// root of the search (depth 0): at even depths that is the side to move, at odd depths
// the side that has just moved. The one-ply search, which keeps the lowest negated
// score, therefore picks the best move for whichever side the computer plays.
template <typename Cell>
int EvaluateHex(const Cell* cells, int n, int player, int depth, bool& decided);

}  // namespace tavlero
