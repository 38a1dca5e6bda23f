#include "engine/disc_rules.h"

#include "engine/search_engine.h"

namespace tavlero {

namespace {

constexpr int kDirections[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

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

constexpr bool Inside(int x, int y) { return x >= 0 && x < kDiscBoardSide && y >= 0 && y < kDiscBoardSide; }

// Length of the run of opponent discs from (x, y) in direction (dx, dy) that a disc of
// `player` closes; 0 when the run is empty or not closed.
template <typename Cell>
int ClosedRun(const Cell* cells, int x, int y, int dx, int dy, int player) {
  int run = 0;
  x += dx;
  y += dy;
  while (Inside(x, y) && cells[y * kDiscBoardSide + x] == -player) {
    ++run;
    x += dx;
    y += dy;
  }
  if (run == 0 || !Inside(x, y) || cells[y * kDiscBoardSide + x] != player) return 0;
  return run;
}

}  // namespace

template <typename Cell>
bool CanPlayDisc(const Cell* cells, int x, int y, int player) {
  if (!Inside(x, y) || cells[y * kDiscBoardSide + x] != 0) return false;
  for (const auto& d : kDirections) {
    if (ClosedRun(cells, x, y, d[0], d[1], player) > 0) return true;
  }
  return false;
}

template <typename Cell>
bool PlayDisc(Cell* cells, int x, int y, int player) {
  if (!Inside(x, y) || cells[y * kDiscBoardSide + x] != 0) return false;
  bool turned = false;
  for (const auto& d : kDirections) {
    const int run = ClosedRun(cells, x, y, d[0], d[1], player);
    for (int step = 1; step <= run; ++step) {
      cells[(y + d[1] * step) * kDiscBoardSide + x + d[0] * step] = static_cast<Cell>(player);
    }
    turned |= run > 0;
  }
  if (turned) cells[y * kDiscBoardSide + x] = static_cast<Cell>(player);
  return turned;
}

template <typename Cell>
int ListDiscMoves(const Cell* cells, int player, int* moves) {
  int count = 0;
  for (int x = 0; x < kDiscBoardSide; ++x) {
    for (int y = 0; y < kDiscBoardSide; ++y) {
      if (CanPlayDisc(cells, x, y, player)) moves[count++] = y * kDiscBoardSide + x;
    }
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
  const DiscCount count = CountDiscs(cells);
  decided = false;
  if (count.empty == 0 && count.plus != count.minus) {
    decided = true;
    return count.plus > count.minus ? player * kWinScore : -player * kWinScore;
  }
  int score = 0;
  for (int i = 0; i < kDiscCells; ++i) {
    if (cells[i] == 1) score += kDiscWeights[i];
    else if (cells[i] == -1) score -= kDiscWeights[i];
  }
  return score * player;
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
