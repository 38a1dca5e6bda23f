// Five-in-a-row on the 14 x 14 board (kind 2): the points the engine offers as moves,
// the five test and the line-pattern evaluation with its 20 fork templates. Written
// over a plain array of cell codes (index y * n + x, n <= 14) so that the engine
// nodes and any compact search share one rule book; the evaluation itself lives in
// GomokuBoard, which the fast search keeps up to date stone by stone.
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

// Score of the position for `player` (+1 or -1; other values count by their sign) at
// search depth `depth`, depth discount included; `decided` is set by a line of five.
template <typename Cell>
int EvaluateGomoku(const Cell* cells, int n, int player, int depth, bool& decided);

struct GomokuGeometry;

// A board of side n (clamped to 0 ... 14) with every line's pattern counts and every
// fork square's verdict kept up to date as stones are put and taken: setting one cell
// reworks only the four lines through it and the 5 x 5 squares around it.
class GomokuBoard {
 public:
  explicit GomokuBoard(int n);
  template <typename Cell>
  void Load(const Cell* cells);
  // Puts code -1, 0 or +1 on a cell (any other code blocks the cell for both sides).
  void Set(int cell, int code);
  const std::int8_t* Cells() const { return cells_; }
  int Side() const { return n_; }
  // EvaluateGomoku of the board.
  int Evaluate(int player, int depth, bool& decided) const;

  // What one line holds, in the form the evaluation sums up.
  struct LineValue {
    int fives[2];      // windows of five stones, side +1 and side -1
    int openFours[2];  // open fours, side +1 and side -1
    int rest[2];       // the lesser patterns as colour * weight, seen by side +1 / side -1 to move
  };

 private:
  void SetMask(int cell, int code, bool on);
  void RecountLine(int line);
  void RecountSquare(int square);

  const GomokuGeometry& g_;
  const int n_;
  std::int8_t cells_[kGomokuMaxSide * kGomokuMaxSide];
  std::uint16_t plus_[4 * 2 * kGomokuMaxSide];
  std::uint16_t minus_[4 * 2 * kGomokuMaxSide];
  std::uint16_t empty_[4 * 2 * kGomokuMaxSide];
  LineValue line_[4 * 2 * kGomokuMaxSide];
  LineValue total_;
  std::int8_t fork_[kGomokuMaxSide * kGomokuMaxSide];
  int forkSum_ = 0;
};

}  // namespace tavlero
