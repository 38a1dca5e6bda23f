// Piece counts, material scores and start positions of the draughts kinds.
#pragma once

namespace tavlero {

struct DraughtsMaterial {
  int plusPieces = 0;   // men and kings of side +1
  int minusPieces = 0;  // men and kings of side -1
  int balance = 0;      // weighted material, side +1's point of view
};

// The material value of one cell's code from side +1's point of view: positive for a
// piece of side +1, negative for one of side -1, 0 for an empty cell or a capture
// mark. Diagonal kinds weigh by square (cell below 32); kind 7 by piece alone.
int DiagonalPieceValue(int cell, int code);
int OrthogonalPieceValue(int code);
// Whether a code is a man or a king (of either side); marks and empty cells are not.
constexpr bool IsDraughtsPiece(int code) { return code >= -2 && code <= 2 && code != 0; }

// Kinds 0, 3, 5, 6: the 32 dark squares with the shared piece-square tables.
// Capture marks count as empty.
DraughtsMaterial DiagonalMaterial(const int* cells);
// Kind 7: all 64 squares, 1000 a man and 1500 a king on every square.
DraughtsMaterial OrthogonalMaterial(const int* cells);

// The raw score of a draughts position for `player` before the depth discount, and
// whether the game is decided because a side has no pieces left (that side has lost;
// the inverted kinds negate the result afterwards).
struct DraughtsVerdict {
  int score;
  bool decided;
};
DraughtsVerdict MaterialVerdict(const DraughtsMaterial& material, int player);

// Start positions; both set every cell of `cells` (kMaxCells entries).
// Diagonal kinds: three rows of men a side on the dark squares.
void PlaceDiagonalStart(int* cells);
// Kind 7: rows 1 and 2 side -1, rows 5 and 6 side +1, rows 0 and 7 empty.
void PlaceOrthogonalStart(int* cells);

}  // namespace tavlero
