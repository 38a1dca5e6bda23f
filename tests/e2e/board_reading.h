// Reading the draughts board of kind 0 off a screenshot of the game's window: what each
// of the 32 dark squares shows. The looks of the pieces are learnt from a screenshot of
// the start position, so the reading depends on no exact colours: a light piece is far
// brighter than the bare wood, and a dark piece, whose brightness is close to the wood's,
// is told by matching the picture of a dark piece.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "xwd_image.h"

namespace tavlero::e2e {

constexpr int kDarkSquares = 32;

// Cell codes as the engine keeps them: 0 empty, +1 a dark (the computer's) piece,
// -1 a light (the human's) piece; indexed by the engine's cell index of kind 0.
using BoardReading = std::array<int, kDarkSquares>;

class BoardLooks {
 public:
  // Learns the looks from a window screenshot that shows the start position: the dark
  // piece at column 1 row 7, the light piece at column 0 row 0, the bare square at
  // column 0 row 4.
  explicit BoardLooks(const RgbImage& startShot);
  BoardReading Read(const RgbImage& windowShot) const;

 private:
  std::vector<int> darkPiece_;  // the middle of a dark piece: red, green, blue a pixel
  double brightnessSplit_ = 0;  // above it: a light piece
};

// The board as text, top row first, "x" dark, "o" light, "." empty, for messages.
std::string BoardText(const BoardReading& board);

}  // namespace tavlero::e2e
