#include "engine/disc_rules.h"

#include <bit>

#include "engine/bit_count.h"
#include "engine/search_engine.h"

namespace tavlero {

namespace {

// Square values, row by row from row 0; the table is symmetric in both axes.
constexpr int kDiscWeights[kDiscCells] = {
    8000, 1000, 4000, 4000, 4000, 4000, 1000, 8000,  //
    1000, 1000, 1333, 1600, 1600, 1333, 1000, 1000,  //
    4000, 1333, 2000, 2667, 2667, 2000, 1333, 4000,  //
    4000, 1600, 2667, 8000, 8000, 2667, 1600, 4000,  //
    4000, 1600, 2667, 8000, 8000, 2667, 1600, 4000,  //
    4000, 1333, 2000, 2667, 2667, 2000, 1333, 4000,  //
    1000, 1000, 1333, 1600, 1600, 1333, 1000, 1000,  //
    8000, 1000, 4000, 4000, 4000, 4000, 1000, 8000,  //
};

// The table summed over the discs of one row of the board: [row][the row's byte].
struct RowWeights {
  int sum[kDiscBoardSide][256] = {};
};

constexpr RowWeights MakeRowWeights() {
  RowWeights w;
  for (int row = 0; row < kDiscBoardSide; ++row)
    for (int bits = 0; bits < 256; ++bits)
      for (int x = 0; x < kDiscBoardSide; ++x)
        if (bits >> x & 1) w.sum[row][bits] += kDiscWeights[row * kDiscBoardSide + x];
  return w;
}

constexpr RowWeights kRowWeights = MakeRowWeights();

constexpr std::uint64_t kNotColumn0 = ~0x0101010101010101ull;
constexpr std::uint64_t kNotColumn7 = ~0x8080808080808080ull;

// The eight directions as bit shifts (dy * 8 + dx) with the mask that stops a shifted
// disc from wrapping round to the other edge.
struct Direction {
  int shift;
  std::uint64_t mask;
};
constexpr Direction kDirections[8] = {
    {-9, kNotColumn7}, {-1, kNotColumn7}, {7, kNotColumn7}, {-8, ~0ull},
    {8, ~0ull},        {-7, kNotColumn0}, {1, kNotColumn0}, {9, kNotColumn0},
};

constexpr std::uint64_t Shift(std::uint64_t b, const Direction& d) {
  return (d.shift > 0 ? b << d.shift : b >> -d.shift) & d.mask;
}

constexpr bool Inside(int x, int y) { return x >= 0 && x < kDiscBoardSide && y >= 0 && y < kDiscBoardSide; }

struct DiscSets {
  std::uint64_t own = 0, other = 0, empty = 0;
};

template <typename Cell>
DiscSets ReadDiscs(const Cell* cells, int player) {
  DiscSets s;
  for (int i = 0; i < kDiscCells; ++i) {
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (cells[i] == 0) s.empty |= bit;
    else if (cells[i] == player) s.own |= bit;
    else if (cells[i] == -player) s.other |= bit;
  }
  return s;
}

}  // namespace

std::uint64_t DiscMoveMask(std::uint64_t own, std::uint64_t other, std::uint64_t empty) {
  std::uint64_t moves = 0;
  for (const Direction& d : kDirections) {
    std::uint64_t run = Shift(own, d) & other;
    for (int i = 0; i < 5; ++i) run |= Shift(run, d) & other;
    moves |= Shift(run, d) & empty;
  }
  return moves;
}

std::uint64_t DiscFlips(std::uint64_t own, std::uint64_t other, int square) {
  std::uint64_t flips = 0;
  for (const Direction& d : kDirections) {
    std::uint64_t run = 0;
    std::uint64_t b = Shift(std::uint64_t{1} << square, d);
    while (b & other) {
      run |= b;
      b = Shift(b, d);
    }
    if (b & own) flips |= run;
  }
  return flips;
}

int DiscSquareWeight(int square) { return kDiscWeights[square]; }

int DiscScore(std::uint64_t plus, std::uint64_t minus, bool boardFull, int player, bool& decided) {
  if (boardFull) {
    const int plusCount = CountBits(plus), minusCount = CountBits(minus);
    decided = plusCount != minusCount;
    if (decided) return plusCount > minusCount ? player * kWinScore : -player * kWinScore;
  }
  decided = false;
  int score = 0;
  for (int row = 0; row < kDiscBoardSide; ++row)
    score += kRowWeights.sum[row][plus >> (8 * row) & 255] - kRowWeights.sum[row][minus >> (8 * row) & 255];
  return score * player;
}

template <typename Cell>
bool CanPlayDisc(const Cell* cells, int x, int y, int player) {
  if (!Inside(x, y) || cells[y * kDiscBoardSide + x] != 0) return false;
  const DiscSets s = ReadDiscs(cells, player);
  return DiscFlips(s.own, s.other, y * kDiscBoardSide + x) != 0;
}

template <typename Cell>
bool PlayDisc(Cell* cells, int x, int y, int player) {
  if (!Inside(x, y) || cells[y * kDiscBoardSide + x] != 0) return false;
  const DiscSets s = ReadDiscs(cells, player);
  const int square = y * kDiscBoardSide + x;
  const std::uint64_t flips = DiscFlips(s.own, s.other, square);
  if (flips == 0) return false;
  for (std::uint64_t rest = flips | std::uint64_t{1} << square; rest != 0; rest &= rest - 1)
    cells[std::countr_zero(rest)] = static_cast<Cell>(player);
  return true;
}

template <typename Cell>
int ListDiscMoves(const Cell* cells, int player, int* moves) {
  const DiscSets s = ReadDiscs(cells, player);
  const std::uint64_t mask = DiscMoveMask(s.own, s.other, s.empty);
  int count = 0;
  for (int x = 0; x < kDiscBoardSide; ++x) {
    for (std::uint64_t column = (mask >> x) & 0x0101010101010101ull; column != 0; column &= column - 1)
      moves[count++] = std::countr_zero(column) + x;
  }
  return count;
}

template <typename Cell>
DiscCount CountDiscs(const Cell* cells) {
  DiscCount count;
  for (int i = 0; i < kDiscCells; ++i) {
    if (cells[i] == 1) ++count.plus;
    else if (cells[i] == -1) ++count.minus;
    else if (cells[i] == 0) ++count.empty;
  }
  return count;
}

template <typename Cell>
int EvaluateDiscs(const Cell* cells, int player, bool& decided) {
  const DiscSets s = ReadDiscs(cells, 1);
  return DiscScore(s.own, s.other, s.empty == 0, player, decided);
}

template <typename Cell>
void SetDiscStartPosition(Cell* cells) {
  for (int i = 0; i < kDiscCells; ++i) cells[i] = 0;
  constexpr int h = kDiscBoardSide / 2;
  cells[h * kDiscBoardSide + h - 1] = 1;
  cells[h * kDiscBoardSide + h] = -1;
  cells[(h - 1) * kDiscBoardSide + h - 1] = -1;
  cells[(h - 1) * kDiscBoardSide + h] = 1;
}

#define TAVLERO_DISC_RULES(Cell)                                   \
  template bool PlayDisc<Cell>(Cell*, int, int, int);              \
  template bool CanPlayDisc<Cell>(const Cell*, int, int, int);     \
  template int ListDiscMoves<Cell>(const Cell*, int, int*);        \
  template DiscCount CountDiscs<Cell>(const Cell*);                \
  template int EvaluateDiscs<Cell>(const Cell*, int, bool&);       \
  template void SetDiscStartPosition<Cell>(Cell*);
TAVLERO_DISC_RULES(int)
TAVLERO_DISC_RULES(std::int8_t)
#undef TAVLERO_DISC_RULES

}  // namespace tavlero
