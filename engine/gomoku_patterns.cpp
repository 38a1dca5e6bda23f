#include "engine/gomoku_patterns.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "engine/search_engine.h"

namespace tavlero {

namespace {

// The fork shapes, five rows of five cells each: X a stone of the tested side, o an
// open cell, . anything. Row i of a template covers board row y0 + i, column j board
// column x0 + j. (The set is closed under turning it upside down, so which way up the
// board is drawn does not matter.)
constexpr const char* kForkTemplates[kForkTemplateCount][5] = {
    {"o..o.", ".X.X.", "..XX.", "...X.", "...oo"},  // 1
    {".o..o", ".X.X.", ".XX..", ".X...", "oo..."},  // 2
    {"....o", "...X.", "..X..", "oXXXo", "o...."},  // 3
    {"o....", "oXXXo", "..X..", "...X.", "....o"},  // 4
    {"oo...", ".X...", ".XX..", ".X.X.", ".o..o"},  // 5
    {"...oo", "...X.", "..XX.", ".X.X.", "o..o."},  // 6
    {"....o", "oXXXo", "..X..", ".X...", "o...."},  // 7
    {"o....", ".X...", "..X..", "oXXXo", "....o"},  // 8
    {"...o.", "oXXXo", "...X.", "...X.", "...o."},  // 9
    {".o...", "oXXXo", ".X...", ".X...", ".o..."},  // 10
    {"...o.", "...X.", "...X.", "oXXXo", "...o."},  // 11
    {".o...", ".X...", ".X...", "oXXXo", ".o..."},  // 12
    {"..o..", "..X..", "oXXXo", "..X..", "..o.."},  // 13
    {".o...", ".X...", "oXXXo", ".X...", ".o..."},  // 14
    {"...o.", "...X.", "oXXXo", "...X.", "...o."},  // 15
    {"o.o..", ".XX..", "..X..", "..XX.", "..o.o"},  // 16
    {"..o.o", "..XX.", "..X..", ".XX..", "o.o.."},  // 17
    {"o....", ".X...", "oXXXo", "...X.", "....o"},  // 18
    {"....o", "...X.", "oXXXo", ".X...", "o...."},  // 19
    {"o...o", ".X.X.", "..X..", ".X.X.", "o...o"},  // 20
};

struct ForkMask {
  std::uint32_t stones = 0;  // bit 5 * row + column
  std::uint32_t open = 0;
};

struct ForkMasks {
  ForkMask mask[kForkTemplateCount];
};

constexpr ForkMasks BuildForkMasks() {
  ForkMasks masks{};
  for (int t = 0; t < kForkTemplateCount; ++t) {
    for (int row = 0; row < 5; ++row) {
      for (int column = 0; column < 5; ++column) {
        const char c = kForkTemplates[t][row][column];
        const std::uint32_t bit = 1u << (5 * row + column);
        if (c == 'X') masks.mask[t].stones |= bit;
        if (c == 'o') masks.mask[t].open |= bit;
      }
    }
  }
  return masks;
}

constexpr ForkMasks kForkMasks = BuildForkMasks();

// The fewest stones any fork shape needs: a square with fewer stones of a side cannot
// hold a fork of that side.
constexpr int FewestForkStones() {
  int fewest = 25;
  for (const ForkMask& f : kForkMasks.mask) fewest = std::min(fewest, std::popcount(f.stones));
  return fewest;
}
constexpr int kFewestForkStones = FewestForkStones();

// What a 5 x 5 square holds, one bit per cell.
struct SquareMasks {
  std::uint32_t plus = 0, minus = 0, empty = 0;
};

template <typename Cell>
SquareMasks ReadSquare(const Cell* cells, int n, int x0, int y0) {
  SquareMasks m;
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 5; ++j) {
      const int code = cells[(y0 + i) * n + x0 + j];
      const std::uint32_t bit = 1u << (5 * i + j);
      if (code == 1) m.plus |= bit;
      else if (code == -1) m.minus |= bit;
      else if (code == 0) m.empty |= bit;
    }
  }
  return m;
}

int FirstMatch(std::uint32_t stones, std::uint32_t open) {
  for (int t = 0; t < kForkTemplateCount; ++t) {
    const ForkMask& f = kForkMasks.mask[t];
    if ((f.stones & ~stones) == 0 && (f.open & ~open) == 0) return t + 1;
  }
  return 0;
}

int FirstMatchFor(const SquareMasks& m, int side) {
  if (std::popcount(side > 0 ? m.plus : m.minus) < kFewestForkStones) return 0;
  return side > 0 ? FirstMatch(m.plus, m.empty) : FirstMatch(m.minus, m.empty | m.minus);
}

// The four line directions: rows, columns, down-right and down-left diagonals.
enum LineDirection { kRows, kColumns, kDownRight, kDownLeft };

// Visits, direction by direction, every window of `length` cells whose start runs from
// 0 to `last` along its line. Rows are lines of constant y, columns of constant x;
// the diagonal scans treat each start row y as one line. `visit(window, direction)`
// returns false to skip the rest of the current line.
template <typename Cell, typename Visit>
void ScanWindows(const Cell* cells, int n, int length, int last, Visit&& visit) {
  int w[6];
  for (int y = 0; y < n; ++y) {
    for (int s = 0; s <= last; ++s) {
      for (int i = 0; i < length; ++i) w[i] = cells[y * n + s + i];
      if (!visit(w, kRows)) break;
    }
  }
  for (int x = 0; x < n; ++x) {
    for (int s = 0; s <= last; ++s) {
      for (int i = 0; i < length; ++i) w[i] = cells[(s + i) * n + x];
      if (!visit(w, kColumns)) break;
    }
  }
  for (int y = 0; y <= last; ++y) {
    for (int x = 0; x <= last; ++x) {
      for (int i = 0; i < length; ++i) w[i] = cells[(y + i) * n + x + i];
      if (!visit(w, kDownRight)) break;
    }
  }
  for (int y = 0; y <= last; ++y) {
    for (int x = 0; x <= last; ++x) {
      for (int i = 0; i < length; ++i) w[i] = cells[(y + i) * n + x + length - 1 - i];
      if (!visit(w, kDownLeft)) break;
    }
  }
}

// The colour of `count` equal stones starting at w[from], or 0.
inline int RunColour(const int* w, int from, int count) {
  const int k = w[from];
  if (k != 1 && k != -1) return 0;
  for (int i = from + 1; i < from + count; ++i) {
    if (w[i] != k) return 0;
  }
  return k;
}

int ClampSide(int n) { return n < 0 ? 0 : (n > kGomokuMaxSide ? kGomokuMaxSide : n); }

}  // namespace

template <typename Cell>
int ListOfferedPoints(const Cell* cells, int n, int* moves) {
  n = ClampSide(n);
  bool offered[kGomokuMaxSide * kGomokuMaxSide];
  for (int i = 0; i < n * n; ++i) offered[i] = true;
  int count = 0;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      if (cells[y * n + x] == 0) continue;
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          const int nx = x + dx, ny = y + dy;
          if ((dx == 0 && dy == 0) || nx < 0 || nx >= n || ny < 0 || ny >= n) continue;
          const int cell = ny * n + nx;
          if (cells[cell] != 0 || !offered[cell]) continue;
          offered[cell] = false;
          moves[count++] = cell;
        }
      }
    }
  }
  return count;
}

template <typename Cell>
int FindFive(const Cell* cells, int n) {
  n = ClampSide(n);
  int colour = 0;
  ScanWindows(cells, n, 5, n - 5, [&](const int* w, int) {
    if (const int k = RunColour(w, 0, 5)) colour = k;
    return true;
  });
  return colour;
}

template <typename Cell>
int MatchForkTemplate(const Cell* cells, int n, int x0, int y0, int side) {
  n = ClampSide(n);
  if (x0 < 0 || y0 < 0 || x0 + 5 > n || y0 + 5 > n) return 0;
  return FirstMatchFor(ReadSquare(cells, n, x0, y0), side);
}

template <typename Cell>
int ForkInSquare(const Cell* cells, int n, int x0, int y0) {
  n = ClampSide(n);
  if (x0 < 0 || y0 < 0 || x0 + 5 > n || y0 + 5 > n) return 0;
  const SquareMasks m = ReadSquare(cells, n, x0, y0);
  if (FirstMatchFor(m, 1)) return 1;
  if (FirstMatchFor(m, -1)) return -1;
  return 0;
}

template <typename Cell>
int EvaluateGomoku(const Cell* cells, int n, int player, int depth, bool& decided) {
  n = ClampSide(n);
  decided = false;
  int s = 0;
  if (const int k = FindFive(cells, n)) {
    decided = true;
    s = player * k * kWinScore;
    return DepthDiscount(s, depth);
  }

  // Open fours. Once the running sum turns against the side to move, the rest of the
  // line is not looked at.
  ScanWindows(cells, n, 6, n - 6, [&](const int* w, int) {
    if (w[0] == 0 && w[5] == 0) {
      if (const int k = RunColour(w, 1, 4)) s += player * k * kOpenFourWeight;
    }
    return s >= 0;
  });

  // Forks, in every 5 x 5 square whose corner lies below n - 5 in both coordinates.
  for (int y0 = 0; y0 < n - 5; ++y0) {
    for (int x0 = 0; x0 < n - 5; ++x0) s += player * ForkInSquare(cells, n, x0, y0) * kForkWeight;
  }

  if (s == 0) {
    ScanWindows(cells, n, 5, n - 5, [&](const int* w, int) {
      if (w[0] == 0 && w[4] == 0) {
        if (const int k = RunColour(w, 1, 3)) s += player * k * kOpenThreeWeight;
      }
      return true;
    });
    ScanWindows(cells, n, 6, n - 6, [&](const int* w, int) {
      if (w[0] == 0 || w[5] == 0) {
        if (const int k = RunColour(w, 1, 4)) s += player * k * kClosedFourWeight;
      }
      return true;
    });
    ScanWindows(cells, n, 4, n - 4, [&](const int* w, int) {
      if (const int k = RunColour(w, 0, 4)) s += player * k * kPlainFourWeight;
      return true;
    });
    // Open twos; along rows an end may also hold a stone of the side to move.
    ScanWindows(cells, n, 4, n - 5, [&](const int* w, int direction) {
      const int k = RunColour(w, 1, 2);
      if (k == 0) return true;
      const bool rowEnds = direction == kRows;
      const bool openStart = w[0] == 0 || (rowEnds && w[0] == player);
      const bool openEnd = w[3] == 0 || (rowEnds && w[3] == player);
      if (openStart && openEnd) s += player * k * kOpenTwoWeight;
      return true;
    });
  }
  return DepthDiscount(s, depth);
}

#define TAVLERO_GOMOKU_PATTERNS(Cell)                                        \
  template int ListOfferedPoints<Cell>(const Cell*, int, int*);              \
  template int FindFive<Cell>(const Cell*, int);                             \
  template int MatchForkTemplate<Cell>(const Cell*, int, int, int, int);     \
  template int ForkInSquare<Cell>(const Cell*, int, int, int);               \
  template int EvaluateGomoku<Cell>(const Cell*, int, int, int, bool&);
TAVLERO_GOMOKU_PATTERNS(int)
TAVLERO_GOMOKU_PATTERNS(std::int8_t)
#undef TAVLERO_GOMOKU_PATTERNS

}  // namespace tavlero
