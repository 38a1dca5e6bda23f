#include "engine/gomoku_patterns.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/bit_count.h"
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
  for (const ForkMask& f : kForkMasks.mask) fewest = std::min(fewest, CountBits(f.stones));
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
  if (CountBits(side > 0 ? m.plus : m.minus) < kFewestForkStones) return 0;
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

// ---------------------------------------------------------------------------------------
// The line-mask board

// The lines of a board of side n: rows (line y, position x), columns (line n + x,
// position y), down-right diagonals and down-left diagonals (position counted from
// the diagonal's top end). Each line keeps, per kind of window the evaluation looks
// at, the positions where such a window may start: exactly the windows that the
// scans of the rules visit.
struct GomokuGeometry {
  static constexpr int kMaxLines = 4 * 2 * kGomokuMaxSide;
  int n = 0;
  int lineCount = 0;
  std::uint16_t lineMask[kMaxLines] = {};  // the line's positions
  bool isRow[kMaxLines] = {};
  std::uint8_t line[kGomokuMaxSide * kGomokuMaxSide][4] = {};
  std::uint8_t position[kGomokuMaxSide * kGomokuMaxSide][4] = {};
  // Window starts: five cells (fives, open threes), six (open and closed fours),
  // four up to the end (plain fours), four short of the end (open twos).
  std::uint16_t fiveStart[kMaxLines] = {};
  std::uint16_t sixStart[kMaxLines] = {};
  std::uint16_t fourStart[kMaxLines] = {};
  std::uint16_t twoStart[kMaxLines] = {};
  // Fork squares: corners (x0, y0) with x0, y0 < n - 5, numbered y0 * squaresPerSide + x0,
  // and for each cell the squares that hold it.
  int squaresPerSide = 0;
  std::uint8_t squareCount[kGomokuMaxSide * kGomokuMaxSide] = {};
  std::uint8_t squares[kGomokuMaxSide * kGomokuMaxSide][25] = {};
};

namespace {

// Records the start of every window that ScanWindows visits with this length and
// last start, by line and position.
void MarkWindowStarts(GomokuGeometry& g, int length, int last, std::uint16_t* starts) {
  const int n = g.n;
  for (int y = 0; y < n; ++y)
    for (int s = 0; s <= last; ++s) starts[g.line[y * n + s][kRows]] |= 1u << g.position[y * n + s][kRows];
  for (int x = 0; x < n; ++x)
    for (int s = 0; s <= last; ++s) starts[g.line[s * n + x][kColumns]] |= 1u << g.position[s * n + x][kColumns];
  for (int y = 0; y <= last; ++y) {
    for (int x = 0; x <= last; ++x) {
      const int first = y * n + x;
      starts[g.line[first][kDownRight]] |= 1u << g.position[first][kDownRight];
      const int firstLeft = y * n + x + length - 1;  // a down-left window starts at its right end
      starts[g.line[firstLeft][kDownLeft]] |= 1u << g.position[firstLeft][kDownLeft];
    }
  }
}

GomokuGeometry MakeGeometry(int n) {
  GomokuGeometry g;
  g.n = n;
  if (n <= 0) return g;
  const int diagonals = 2 * n - 1;
  g.lineCount = 2 * n + 2 * diagonals;
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const int cell = y * n + x;
      const int sum = x + y;
      const int lines[4] = {y, n + x, 2 * n + (x - y + n - 1), 2 * n + diagonals + sum};
      const int positions[4] = {x, y, std::min(x, y), y - std::max(0, sum - (n - 1))};
      for (int d = 0; d < 4; ++d) {
        g.line[cell][d] = static_cast<std::uint8_t>(lines[d]);
        g.position[cell][d] = static_cast<std::uint8_t>(positions[d]);
        g.lineMask[lines[d]] |= 1u << positions[d];
      }
    }
  }
  for (int y = 0; y < n; ++y) g.isRow[y] = true;
  MarkWindowStarts(g, 5, n - 5, g.fiveStart);
  MarkWindowStarts(g, 6, n - 6, g.sixStart);
  MarkWindowStarts(g, 4, n - 4, g.fourStart);
  MarkWindowStarts(g, 4, n - 5, g.twoStart);
  g.squaresPerSide = std::max(0, n - 5);
  for (int y0 = 0; y0 < g.squaresPerSide; ++y0) {
    for (int x0 = 0; x0 < g.squaresPerSide; ++x0) {
      for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
          const int cell = (y0 + i) * n + x0 + j;
          g.squares[cell][g.squareCount[cell]++] = static_cast<std::uint8_t>(y0 * g.squaresPerSide + x0);
        }
      }
    }
  }
  return g;
}

const GomokuGeometry& GeometryOfSide(int n) {
  static const std::vector<GomokuGeometry> all = [] {
    std::vector<GomokuGeometry> geometries(kGomokuMaxSide + 1);
    for (int side = 0; side <= kGomokuMaxSide; ++side) geometries[side] = MakeGeometry(side);
    return geometries;
  }();
  return all[n];
}

// Bit s set where the mask holds `count` set bits in a row from bit s.
inline std::uint32_t Runs(std::uint32_t k, int count) {
  std::uint32_t r = k;
  for (int i = 1; i < count; ++i) r &= k >> i;
  return r;
}

// The open-four sum in the rules' scan order: after each window, a sum below zero
// ends the scan of the current line.
template <typename Cell>
int ScanOpenFours(const Cell* cells, int n, int player) {
  int s = 0;
  ScanWindows(cells, n, 6, n - 6, [&](const int* w, int) {
    if (w[0] == 0 && w[5] == 0) {
      if (const int k = RunColour(w, 1, 4)) s += player * k * kOpenFourWeight;
    }
    return s >= 0;
  });
  return s;
}

}  // namespace

GomokuBoard::GomokuBoard(int n) : g_(GeometryOfSide(ClampSide(n))), n_(ClampSide(n)) {
  std::fill(std::begin(cells_), std::end(cells_), std::int8_t{0});
  std::fill(std::begin(plus_), std::end(plus_), std::uint16_t{0});
  std::fill(std::begin(minus_), std::end(minus_), std::uint16_t{0});
  for (int line = 0; line < GomokuGeometry::kMaxLines; ++line) empty_[line] = g_.lineMask[line];
  for (int line = 0; line < GomokuGeometry::kMaxLines; ++line) line_[line] = LineValue{};
  total_ = LineValue{};
  for (int line = 0; line < g_.lineCount; ++line) RecountLine(line);
  std::fill(std::begin(fork_), std::end(fork_), std::int8_t{0});
}

template <typename Cell>
void GomokuBoard::Load(const Cell* cells) {
  for (int cell = 0; cell < n_ * n_; ++cell) {
    const int code = cells[cell] == 1 || cells[cell] == -1 || cells[cell] == 0 ? cells[cell] : 2;
    if (code == cells_[cell]) continue;
    SetMask(cell, cells_[cell], false);
    cells_[cell] = static_cast<std::int8_t>(code);
    SetMask(cell, code, true);
  }
  total_ = LineValue{};
  for (int line = 0; line < g_.lineCount; ++line) {
    line_[line] = LineValue{};
    RecountLine(line);
  }
  forkSum_ = 0;
  for (int square = 0; square < g_.squaresPerSide * g_.squaresPerSide; ++square) {
    fork_[square] = 0;
    RecountSquare(square);
  }
}

void GomokuBoard::SetMask(int cell, int code, bool on) {
  std::uint16_t* masks = code == 1 ? plus_ : code == -1 ? minus_ : code == 0 ? empty_ : nullptr;
  if (!masks) return;
  for (int d = 0; d < 4; ++d) {
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << g_.position[cell][d]);
    std::uint16_t& m = masks[g_.line[cell][d]];
    m = on ? static_cast<std::uint16_t>(m | bit) : static_cast<std::uint16_t>(m & ~bit);
  }
}

void GomokuBoard::Set(int cell, int code) {
  if (code != 1 && code != -1 && code != 0) code = 2;
  if (cell < 0 || cell >= n_ * n_ || cells_[cell] == code) return;
  SetMask(cell, cells_[cell], false);
  cells_[cell] = static_cast<std::int8_t>(code);
  SetMask(cell, code, true);
  for (int d = 0; d < 4; ++d) RecountLine(g_.line[cell][d]);
  for (int i = 0; i < g_.squareCount[cell]; ++i) RecountSquare(g_.squares[cell][i]);
}

void GomokuBoard::RecountLine(int line) {
  const std::uint32_t e = empty_[line];
  const bool row = g_.isRow[line];
  LineValue v{};
  int rest = 0;
  int rowTwos[2] = {0, 0};  // open twos of a row, seen by side +1 / side -1 to move
  for (int c = 0; c < 2; ++c) {
    const std::uint32_t k = c == 0 ? plus_[line] : minus_[line];
    const int colour = c == 0 ? 1 : -1;
    const std::uint32_t four = Runs(k, 4);
    v.fives[c] = CountBits(Runs(k, 5) & g_.fiveStart[line]);
    v.openFours[c] = CountBits(e & (four >> 1) & (e >> 5) & g_.sixStart[line]);
    const int threes = CountBits(e & (Runs(k, 3) >> 1) & (e >> 4) & g_.fiveStart[line]);
    const int closedFours = CountBits((e | (e >> 5)) & (four >> 1) & g_.sixStart[line]);
    const int plainFours = CountBits(four & g_.fourStart[line]);
    rest += colour * (kOpenThreeWeight * threes + kClosedFourWeight * closedFours + kPlainFourWeight * plainFours);
    const std::uint32_t pair = (Runs(k, 2) >> 1) & g_.twoStart[line];
    if (!row) {
      rest += colour * kOpenTwoWeight * CountBits(e & pair & (e >> 3));
    } else {
      // Along a row an end of an open two may also hold a stone of the side to move.
      for (int p = 0; p < 2; ++p) {
        const std::uint32_t ends = e | (p == 0 ? plus_[line] : minus_[line]);
        rowTwos[p] += colour * kOpenTwoWeight * CountBits(ends & pair & (ends >> 3));
      }
    }
  }
  v.rest[0] = rest + rowTwos[0];
  v.rest[1] = rest + rowTwos[1];
  LineValue& old = line_[line];
  for (int c = 0; c < 2; ++c) {
    total_.fives[c] += v.fives[c] - old.fives[c];
    total_.openFours[c] += v.openFours[c] - old.openFours[c];
    total_.rest[c] += v.rest[c] - old.rest[c];
  }
  old = v;
}

void GomokuBoard::RecountSquare(int square) {
  const int x0 = square % g_.squaresPerSide, y0 = square / g_.squaresPerSide;
  SquareMasks m;
  for (int i = 0; i < 5; ++i) {
    const int row = y0 + i;
    m.plus |= ((plus_[row] >> x0) & 31u) << (5 * i);
    m.minus |= ((minus_[row] >> x0) & 31u) << (5 * i);
    m.empty |= ((empty_[row] >> x0) & 31u) << (5 * i);
  }
  const int verdict = FirstMatchFor(m, 1) ? 1 : FirstMatchFor(m, -1) ? -1 : 0;
  forkSum_ += verdict - fork_[square];
  fork_[square] = static_cast<std::int8_t>(verdict);
}

int GomokuBoard::Evaluate(int player, int depth, bool& decided) const {
  player = player < 0 ? -1 : 1;
  decided = false;
  if (total_.fives[0] + total_.fives[1] > 0) {
    // With fives of both colours the last one in the scan order counts.
    const int colour = total_.fives[0] == 0 ? -1 : total_.fives[1] == 0 ? 1 : FindFive(cells_, n_);
    decided = true;
    return DepthDiscount(player * colour * kWinScore, depth);
  }
  const int own = player > 0 ? 0 : 1;
  int s = 0;
  if (total_.openFours[1 - own] > 0) {
    s = ScanOpenFours(cells_, n_, player);  // the opponent's fours can cut the scan short
  } else {
    s = kOpenFourWeight * total_.openFours[own];
  }
  s += player * kForkWeight * forkSum_;
  if (s == 0) s = player * total_.rest[own];
  return DepthDiscount(s, depth);
}

template <typename Cell>
int EvaluateGomoku(const Cell* cells, int n, int player, int depth, bool& decided) {
  GomokuBoard board(n);
  board.Load(cells);
  return board.Evaluate(player, depth, decided);
}

#define TAVLERO_GOMOKU_PATTERNS(Cell)                                        \
  template void GomokuBoard::Load<Cell>(const Cell*);                        \
  template int ListOfferedPoints<Cell>(const Cell*, int, int*);              \
  template int FindFive<Cell>(const Cell*, int);                             \
  template int MatchForkTemplate<Cell>(const Cell*, int, int, int, int);     \
  template int ForkInSquare<Cell>(const Cell*, int, int, int);               \
  template int EvaluateGomoku<Cell>(const Cell*, int, int, int, bool&);
TAVLERO_GOMOKU_PATTERNS(int)
TAVLERO_GOMOKU_PATTERNS(std::int8_t)
#undef TAVLERO_GOMOKU_PATTERNS

}  // namespace tavlero
