// Board geometry of the board kinds 0 to 7: the numbering of the dark squares used by
// the diagonal draughts kinds, the cell index of a (column, row) pair per kind, where
// each cell is drawn in the 800 x 600 window, and which cell lies under a point.
//
// Columns count from the left. Rows count from the bottom of the screen upwards,
// except on the kind-4 rhombus, whose row 0 is the top row.
#pragma once

namespace tavlero {

constexpr int kMaxBoardSide = 14;
// The dark squares of a 14 x 14 board.
constexpr int kMaxDarkSquares = kMaxBoardSide * kMaxBoardSide / 2;
// Points right of this x belong to the side panel, not the board.
constexpr int kBoardAreaWidth = 600;

struct BoardCell {
  int column = -1;  // -1: no cell
  int row = -1;
  constexpr bool Valid() const { return column >= 0; }
  friend constexpr bool operator==(const BoardCell&, const BoardCell&) = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Dark squares (column + row even, the bottom-left square is dark) are numbered in
// shells growing from the bottom-left corner, so that 0 ... n*n/2 - 1 are exactly the
// dark squares of every even board size n up to 14.
// Column and row of a square number; -1 for a number outside 0 ... kMaxDarkSquares-1.
int DarkSquareColumn(int square);
int DarkSquareRow(int square);
// Square number of a cell; -1 for a light square or a cell off the 14 x 14 board.
int DarkSquareAt(int column, int row);

// Kinds 0, 3, 5 and 6 keep their pieces on the dark squares only.
bool UsesDarkSquares(int kind);

// Index into the engine's cells of a cell of an n x n board: the square number for the
// dark-square kinds (-1 on a light square), row * n + column for the others; -1 off
// the board or for a kind without a board of cells.
int CellIndex(int kind, int n, int column, int row);
// The cell of an index (the inverse of CellIndex); no cell when out of range.
BoardCell CellOfIndex(int kind, int n, int index);

// Top-left corner at which the piece of a cell is drawn. Kind 8 has no cells here.
ScreenPoint CellScreenPoint(int kind, int n, int column, int row);
// Drawing depth of piece sprites: the rhombus stones lie at -1, all others at 0.
double PieceSpriteDepth(int kind);

// The cell under a window point, or no cell. On the square boards divisions truncate
// toward zero, so a point a little left of or above the board still lands on its first
// column or top row. On the rhombus a point belongs to the band from its row's top down
// to the next row's top (the bottom row's band ends before y = 467), and within the
// band to the 37-pixel column drawn there, so every point of a stone's picture above
// the next row hits that stone's cell.
BoardCell CellUnderPoint(int kind, int n, int x, int y);

}  // namespace tavlero
