// The disc game on an 8 x 8 board (kind 1): placement, turning, move order and the
// square-table evaluation. The rules work on bitboards (bit y * 8 + x), which the fast
// search uses directly; the functions over a plain array of cell codes (index y * 8 +
// x) that the engine nodes use are built on them, so both share one rule book.
#pragma once

#include <cstdint>

namespace tavlero {

constexpr int kDiscBoardSide = 8;
constexpr int kDiscCells = kDiscBoardSide * kDiscBoardSide;

// The squares where the side owning `own` may put a disc: empty squares from which a
// run of `other` discs is closed by an `own` disc in some direction. A square in
// none of the three sets blocks like the board's edge.
std::uint64_t DiscMoveMask(std::uint64_t own, std::uint64_t other, std::uint64_t empty);
// The `other` discs turned by a disc of the side owning `own` put on `square`.
std::uint64_t DiscFlips(std::uint64_t own, std::uint64_t other, int square);
// The value of a disc on a square in the square table.
int DiscSquareWeight(int square);
// The evaluation over bitboards: the square table (side +1's discs less side -1's)
// for `player`, or +-kWinScore when no cell is empty and one side has more discs.
int DiscScore(std::uint64_t plus, std::uint64_t minus, bool boardFull, int player, bool& decided);

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
