// The disc game on an 8 x 8 board (kind 1): placement, turning, move order and the
// square-table evaluation, written over a plain array of cell codes (index y * 8 + x)
// so that the engine nodes and any compact search share one rule book.
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int kDiscBoardSide = 8;
constexpr int kDiscCells = kDiscBoardSide * kDiscBoardSide;

// Puts a disc of `player` on (x, y) and turns every run of the other side's discs that
// a disc of `player` closes, in all eight directions. Returns false, leaving the cells
// untouched, when the cell is occupied or nothing would turn.
template <typename Cell>
bool PlayDisc(Cell* cells, int x, int y, int player);

// True when PlayDisc would succeed.
template <typename Cell>
bool CanPlayDisc(const Cell* cells, int x, int y, int player);

// The cells (y * 8 + x) where `player` may put a disc, in generation order: column by
// column, and within a column row by row. Returns their number (at most 64).
template <typename Cell>
int ListDiscMoves(const Cell* cells, int player, int* moves);

struct DiscCount {
  int plus = 0;   // discs of side +1
  int minus = 0;  // discs of side -1
  int empty = 0;
};
template <typename Cell>
DiscCount CountDiscs(const Cell* cells);

// Score of the position for `player`: the square table, or +-kWinScore on a full
// board that one side holds more of (`decided` set). No depth discount.
template <typename Cell>
int EvaluateDiscs(const Cell* cells, int player, bool& decided);

// The four centre discs, with side +1 on (3, 4) and (4, 3).
template <typename Cell>
void SetDiscStartPosition(Cell* cells);

}  // namespace tavlero
