// Board geometry: dark-square numbering, cell indices, screen points and hits.
#include <gtest/gtest.h>

#include "game/board_geometry.h"

namespace tavlero {
namespace {

TEST(BoardGeometry, DarkSquareNumberingOfTheDraughtsBoard) {
  // The 8 x 8 part of the numbering, (column, row) of squares 0 to 31.
  const int expected[32][2] = {{0, 0}, {1, 1}, {0, 2}, {2, 2}, {2, 0}, {1, 3}, {3, 3}, {3, 1},
                               {0, 4}, {2, 4}, {4, 4}, {4, 2}, {4, 0}, {1, 5}, {3, 5}, {5, 5},
                               {5, 3}, {5, 1}, {0, 6}, {2, 6}, {4, 6}, {6, 6}, {6, 4}, {6, 2},
                               {6, 0}, {1, 7}, {3, 7}, {5, 7}, {7, 7}, {7, 5}, {7, 3}, {7, 1}};
  for (int s = 0; s < 32; ++s) {
    EXPECT_EQ(DarkSquareColumn(s), expected[s][0]) << s;
    EXPECT_EQ(DarkSquareRow(s), expected[s][1]) << s;
  }
}

TEST(BoardGeometry, EveryEvenBoardUpTo14IsNumberedByItsFirstSquares) {
  for (int s = 0; s < kMaxDarkSquares; ++s) {
    EXPECT_EQ(DarkSquareAt(DarkSquareColumn(s), DarkSquareRow(s)), s);
  }
  for (int n = 2; n <= 14; n += 2) {
    for (int row = 0; row < 14; ++row) {
      for (int column = 0; column < 14; ++column) {
        const int s = DarkSquareAt(column, row);
        if ((column + row) % 2 != 0) {
          EXPECT_EQ(s, -1);
          continue;
        }
        const bool inside = column < n && row < n;
        EXPECT_EQ(s < n * n / 2, inside) << n << ": " << column << "," << row;
      }
    }
  }
  EXPECT_EQ(DarkSquareColumn(kMaxDarkSquares), -1);
  EXPECT_EQ(DarkSquareRow(-1), -1);
  EXPECT_EQ(DarkSquareAt(14, 0), -1);
  EXPECT_EQ(DarkSquareAt(0, -2), -1);
}

TEST(BoardGeometry, CellIndicesRoundTripForEveryKind) {
  const int sizes[8] = {8, 8, 14, 8, 11, 8, 8, 8};
  for (int kind = 0; kind < 8; ++kind) {
    const int n = sizes[kind];
    int cells = 0;
    for (int row = 0; row < n; ++row) {
      for (int column = 0; column < n; ++column) {
        const int index = CellIndex(kind, n, column, row);
        if (index < 0) continue;
        ++cells;
        EXPECT_EQ(CellOfIndex(kind, n, index), (BoardCell{column, row}));
      }
    }
    EXPECT_EQ(cells, UsesDarkSquares(kind) ? 32 : n * n) << kind;
    EXPECT_FALSE(CellOfIndex(kind, n, cells).Valid());
  }
  EXPECT_EQ(CellIndex(1, 8, 3, 5), 5 * 8 + 3);
  EXPECT_EQ(CellIndex(0, 8, 1, 0), -1);  // light square
  EXPECT_EQ(CellIndex(8, 8, 0, 0), -1);
}

TEST(BoardGeometry, TheCellUnderEachCellsPictureIsThatCell) {
  const int sizes[8] = {8, 8, 14, 8, 11, 8, 8, 8};
  for (int kind = 0; kind < 8; ++kind) {
    const int n = sizes[kind];
    for (int row = 0; row < n; ++row) {
      for (int column = 0; column < n; ++column) {
        const ScreenPoint p = CellScreenPoint(kind, n, column, row);
        const BoardCell expected = CellIndex(kind, n, column, row) >= 0 ? BoardCell{column, row} : BoardCell{};
        if (kind == 4) {
          // A 37 x 41 hexagon: its centre, its top tip and its sides down to the next
          // row's top (at least 30 pixels lower) hit the cell; the pixel left of it
          // belongs to the column before.
          EXPECT_EQ(CellUnderPoint(kind, n, p.x + 18, p.y + 20), expected) << column << "," << row;
          EXPECT_EQ(CellUnderPoint(kind, n, p.x + 18, p.y), expected) << column << "," << row;
          EXPECT_EQ(CellUnderPoint(kind, n, p.x, p.y + 29), expected) << column << "," << row;
          EXPECT_EQ(CellUnderPoint(kind, n, p.x + 36, p.y + 29), expected) << column << "," << row;
          EXPECT_EQ(CellUnderPoint(kind, n, p.x - 1, p.y + 20).column, column - 1) << column << "," << row;
          continue;
        }
        const int size = kind == 2 ? 40 : 70;
        EXPECT_EQ(CellUnderPoint(kind, n, p.x, p.y), expected) << kind << ": " << column << "," << row;
        EXPECT_EQ(CellUnderPoint(kind, n, p.x + size - 1, p.y + size - 1), expected);
      }
    }
  }
}

TEST(BoardGeometry, HitsTruncateTowardZeroAndStopAtTheBoardsEdges) {
  EXPECT_EQ(CellScreenPoint(0, 8, 0, 0), (ScreenPoint{19, 509}));  // row 0 at the bottom
  EXPECT_EQ(CellScreenPoint(4, 11, 10, 10), (ScreenPoint{368, 427}));
  // One pixel left of and above the board still lands on the first column / top row.
  EXPECT_EQ(CellUnderPoint(1, 8, 18, 100), (BoardCell{0, 6}));
  EXPECT_EQ(CellUnderPoint(1, 8, 100, 18), (BoardCell{1, 7}));
  EXPECT_EQ(CellUnderPoint(2, 14, 21, 21), (BoardCell{0, 13}));
  EXPECT_FALSE(CellUnderPoint(1, 8, -60, 100).Valid());
  EXPECT_FALSE(CellUnderPoint(1, 8, 579, 100).Valid());  // column 8
  EXPECT_FALSE(CellUnderPoint(2, 14, 601, 100).Valid());  // the side panel
  // Light squares are no hit on the dark-square boards, every square is on kinds 1, 7.
  EXPECT_FALSE(CellUnderPoint(0, 8, 19 + 70, 509).Valid());
  EXPECT_FALSE(CellUnderPoint(6, 8, 19 + 70, 509).Valid());
  EXPECT_EQ(CellUnderPoint(7, 8, 19 + 70, 509), (BoardCell{1, 0}));
  EXPECT_EQ(CellUnderPoint(1, 8, 19 + 70, 509), (BoardCell{1, 0}));
  // The rhombus: a row's band starts at its top, the bottom row's ends before 467;
  // left of a row's shift and right of its eleventh cell there is nothing.
  EXPECT_EQ(CellUnderPoint(4, 11, 20, 426), (BoardCell{0, 9}));
  EXPECT_EQ(CellUnderPoint(4, 11, 20, 427), (BoardCell{0, 10}));
  EXPECT_EQ(CellUnderPoint(4, 11, -2, 466), (BoardCell{0, 10}));
  EXPECT_FALSE(CellUnderPoint(4, 11, -3, 440).Valid());
  EXPECT_FALSE(CellUnderPoint(4, 11, 0, 467).Valid());
  EXPECT_FALSE(CellUnderPoint(4, 11, 300, 122).Valid());
  EXPECT_EQ(CellUnderPoint(4, 11, 300, 123), (BoardCell{2, 0}));
  EXPECT_FALSE(CellUnderPoint(4, 11, 191, 130).Valid());
  EXPECT_EQ(CellUnderPoint(4, 11, 192, 130), (BoardCell{0, 0}));
  EXPECT_FALSE(CellUnderPoint(4, 11, 192 + 11 * 37, 130).Valid());
  EXPECT_FALSE(CellUnderPoint(8, 8, 100, 100).Valid());
}

}  // namespace
}  // namespace tavlero
