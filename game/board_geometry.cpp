#include "game/board_geometry.h"

#include <array>

#include "engine/draughts_squares.h"

static_assert(tavlero::kMaxSquares == tavlero::kMaxDarkSquares, "one dark-square numbering for the engine and the screen");

namespace tavlero {

namespace {


// The rhombus of kind 4: each row is drawn about 19 pixels left of the one above it.
constexpr int kRhombusRows = 11;
constexpr int kRhombusRowShift[kRhombusRows] = {192, 173, 154, 135, 116, 96, 76, 56, 36, 17, -2};
constexpr int kRhombusRowTop[kRhombusRows] = {123, 154, 184, 214, 245, 275, 306, 336, 366, 397, 427};
constexpr int kRhombusCellWidth = 37;
// First y below the hit area. The bottom row's 41-pixel hexagons are drawn from
// y = 427 down to 467; their last pixel row, the tip of the lower point, is left out.
constexpr int kRhombusHitBottom = 467;

// Square boards: origin and cell pitch.
constexpr int kDraughtsOrigin = 19, kDraughtsPitch = 70;
constexpr int kStonesOrigin = 22, kStonesPitch = 40;

bool IsSquareBoardKind(int kind) { return kind >= 0 && kind <= 7 && kind != 2 && kind != 4; }

bool OnBoard(int n, int column, int row) {
  return n > 0 && n <= kMaxBoardSide && column >= 0 && column < n && row >= 0 && row < n;
}

}  // namespace

int DarkSquareColumn(int square) {
  return square >= 0 && square < kMaxDarkSquares ? kDarkSquares.column[square] : -1;
}

int DarkSquareRow(int square) {
  return square >= 0 && square < kMaxDarkSquares ? kDarkSquares.row[square] : -1;
}

int DarkSquareAt(int column, int row) {
  if (!OnBoard(kMaxBoardSide, column, row)) return -1;
  return kDarkSquares.square[row][column];
}

bool UsesDarkSquares(int kind) { return kind == 0 || kind == 3 || kind == 5 || kind == 6; }

int CellIndex(int kind, int n, int column, int row) {
  if (kind < 0 || kind > 7 || !OnBoard(n, column, row)) return -1;
  if (UsesDarkSquares(kind)) return DarkSquareAt(column, row);
  return row * n + column;
}

BoardCell CellOfIndex(int kind, int n, int index) {
  if (kind < 0 || kind > 7 || n <= 0 || n > kMaxBoardSide || index < 0) return {};
  if (UsesDarkSquares(kind)) {
    if (index >= n * n / 2) return {};
    const BoardCell cell{DarkSquareColumn(index), DarkSquareRow(index)};
    return OnBoard(n, cell.column, cell.row) ? cell : BoardCell{};
  }
  if (index >= n * n) return {};
  return {index % n, index / n};
}

ScreenPoint CellScreenPoint(int kind, int n, int column, int row) {
  if (kind == 2) return {kStonesOrigin + kStonesPitch * column, kStonesOrigin + kStonesPitch * (n - 1 - row)};
  if (kind == 4) {
    if (row < 0 || row >= kRhombusRows) return {};
    return {kRhombusRowShift[row] + kRhombusCellWidth * column, kRhombusRowTop[row]};
  }
  if (IsSquareBoardKind(kind)) {
    return {kDraughtsOrigin + kDraughtsPitch * column, kDraughtsOrigin + kDraughtsPitch * (n - 1 - row)};
  }
  return {};
}

double PieceSpriteDepth(int kind) { return kind == 4 ? -1.0 : 0.0; }

BoardCell CellUnderPoint(int kind, int n, int x, int y) {
  if (x > kBoardAreaWidth) return {};
  BoardCell cell;
  if (kind == 4) {
    if (y < kRhombusRowTop[0] || y >= kRhombusHitBottom) return {};
    // The last row whose top is at or above the point. The hexagons of neighbouring
    // rows overlap at their tips; a point there belongs to the lower row's band.
    int row = kRhombusRows - 1;
    while (kRhombusRowTop[row] > y) --row;
    if (x < kRhombusRowShift[row]) return {};
    const int column = (x - kRhombusRowShift[row]) / kRhombusCellWidth;
    if (column < 0 || column >= kRhombusRows) return {};
    return {column, row};
  }
  if (kind == 2) {
    cell = {(x - kStonesOrigin) / kStonesPitch, n - 1 - (y - kStonesOrigin) / kStonesPitch};
  } else if (IsSquareBoardKind(kind)) {
    cell = {(x - kDraughtsOrigin) / kDraughtsPitch, n - 1 - (y - kDraughtsOrigin) / kDraughtsPitch};
  } else {
    return {};
  }
  if (!OnBoard(n, cell.column, cell.row)) return {};
  if (UsesDarkSquares(kind) && (cell.column + cell.row) % 2 != 0) return {};
  return cell;
}

}  // namespace tavlero
