// Five-in-a-row on the 14 x 14 board (kind 2): the points the engine offers as moves,
// the five test and the line-pattern evaluation with its 20 fork templates. Written
// over a plain array of cell codes (index y * n + x, n <= 14) so that the engine
// nodes and any compact search share one rule book.
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int kGomokuMaxSide = 14;
constexpr int kForkTemplateCount = 20;

// Pattern weights, added as player * colour * weight.
constexpr int kOpenFourWeight = 10000;
constexpr int kForkWeight = 8000;
constexpr int kOpenThreeWeight = 1000;
constexpr int kClosedFourWeight = 9000;
constexpr int kPlainFourWeight = 10;
constexpr int kOpenTwoWeight = 20;

// The empty points next to a stone (eight neighbours), each once: stones are visited
// column by column, and within a column row by row. An empty board offers nothing.
// Returns the number of points written to `moves` (cell indices).
template <typename Cell>
int ListOfferedPoints(const Cell* cells, int n, int* moves);

// The colour (+1 or -1) of a line of five stones, or 0. When there are several, the
// last one in the scan order rows, columns, down-right, down-left diagonals counts.
template <typename Cell>
int FindFive(const Cell* cells, int n);

// Number (1 ... 20) of the first fork template that matches the 5 x 5 square at
// (x0, y0) for `side`, or 0. For side +1 the template's open cells must be empty; for
// side -1 they may also hold its own stones.
template <typename Cell>
int MatchForkTemplate(const Cell* cells, int n, int x0, int y0, int side);

// +1 when a fork of side +1 fits the square, else -1 for a fork of side -1, else 0.
template <typename Cell>
int ForkInSquare(const Cell* cells, int n, int x0, int y0);

// Score of the position for `player` at search depth `depth`, depth discount
// included; `decided` is set by a line of five.
template <typename Cell>
int EvaluateGomoku(const Cell* cells, int n, int player, int depth, bool& decided);

}  // namespace tavlero
