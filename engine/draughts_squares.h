// The numbering of the dark squares used by the diagonal draughts kinds. Square
// numbers grow in shells from the bottom-left corner, so that for every even board
// size n the numbers 0 ... n*n/2 - 1 are exactly the dark squares of the n x n board.
// Shell k holds the dark squares whose larger coordinate is 2k or 2k+1, in the order:
// row 2k left to right, column 2k downwards, row 2k+1 left to right, column 2k+1
// downwards. Row 0 is the bottom row, where side -1 starts.
#pragma once

namespace tavlero {

constexpr int kMaxSquareBoard = 14;
constexpr int kMaxSquares = kMaxSquareBoard * kMaxSquareBoard / 2;

struct DarkSquareTables {
  int column[kMaxSquares];
  int row[kMaxSquares];
  int square[kMaxSquareBoard][kMaxSquareBoard];  // [row][column], -1 for a light square
};

constexpr DarkSquareTables MakeDarkSquareTables() {
  DarkSquareTables t{};
  for (auto& line : t.square)
    for (int& s : line) s = -1;
  int next = 0;
  auto add = [&](int column, int row) {
    t.column[next] = column;
    t.row[next] = row;
    t.square[row][column] = next;
    ++next;
  };
  for (int k = 0; 2 * k < kMaxSquareBoard; ++k) {
    const int even = 2 * k, odd = 2 * k + 1;
    for (int c = 0; c <= even; c += 2) add(c, even);
    for (int r = even - 2; r >= 0; r -= 2) add(even, r);
    for (int c = 1; c <= odd; c += 2) add(c, odd);
    for (int r = odd - 2; r >= 1; r -= 2) add(odd, r);
  }
  return t;
}

inline constexpr DarkSquareTables kDarkSquares = MakeDarkSquareTables();

// Column, row and square number of the dark squares.
constexpr int SquareColumn(int square) { return kDarkSquares.column[square]; }
constexpr int SquareRow(int square) { return kDarkSquares.row[square]; }
constexpr int SquareAt(int column, int row) { return kDarkSquares.square[row][column]; }

}  // namespace tavlero
