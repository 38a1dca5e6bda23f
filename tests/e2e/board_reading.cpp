#include "board_reading.h"

#include <cstdlib>

#include "game/board_geometry.h"

namespace tavlero::e2e {
namespace {

constexpr int kKind = 0;
constexpr int kSide = 8;
constexpr int kHalfCell = 35;
// The middle part of a square that a piece covers whole: 25 x 25 pixels.
constexpr int kPatchHalf = 12;
// Mean difference per channel under which a square shows the dark piece's picture; the
// bare walnut squares differ from it by about 25.
constexpr double kSamePicture = 8.0;

std::vector<int> Patch(const RgbImage& shot, int column, int row) {
  const ScreenPoint corner = CellScreenPoint(kKind, kSide, column, row);
  const int middleX = corner.x + kHalfCell, middleY = corner.y + kHalfCell;
  std::vector<int> channels;
  for (int y = middleY - kPatchHalf; y <= middleY + kPatchHalf; ++y) {
    for (int x = middleX - kPatchHalf; x <= middleX + kPatchHalf; ++x) {
      const std::uint32_t pixel = shot.Pixel(x, y);
      channels.insert(channels.end(), {int(pixel >> 16 & 255), int(pixel >> 8 & 255), int(pixel & 255)});
    }
  }
  return channels;
}

double Brightness(const std::vector<int>& patch) {
  double sum = 0;
  for (std::size_t i = 0; i + 2 < patch.size(); i += 3) {
    sum += 0.299 * patch[i] + 0.587 * patch[i + 1] + 0.114 * patch[i + 2];
  }
  return patch.empty() ? 0 : sum / (patch.size() / 3);
}

double MeanDifference(const std::vector<int>& a, const std::vector<int>& b) {
  if (a.size() != b.size() || a.empty()) return 255;
  double sum = 0;
  for (std::size_t i = 0; i < a.size(); ++i) sum += std::abs(a[i] - b[i]);
  return sum / a.size();
}

}  // namespace

BoardLooks::BoardLooks(const RgbImage& startShot) : darkPiece_(Patch(startShot, 1, 7)) {
  brightnessSplit_ = (Brightness(Patch(startShot, 0, 0)) + Brightness(Patch(startShot, 0, 4))) / 2;
}

BoardReading BoardLooks::Read(const RgbImage& windowShot) const {
  BoardReading board{};
  for (int row = 0; row < kSide; ++row) {
    for (int column = 0; column < kSide; ++column) {
      const int index = CellIndex(kKind, kSide, column, row);
      if (index < 0 || index >= kDarkSquares) continue;
      const std::vector<int> patch = Patch(windowShot, column, row);
      if (Brightness(patch) > brightnessSplit_) {
        board[index] = -1;
      } else if (MeanDifference(patch, darkPiece_) < kSamePicture) {
        board[index] = 1;
      }
    }
  }
  return board;
}

std::string BoardText(const BoardReading& board) {
  std::string text;
  for (int row = kSide - 1; row >= 0; --row) {
    for (int column = 0; column < kSide; ++column) {
      const int index = CellIndex(kKind, kSide, column, row);
      const int code = index >= 0 && index < kDarkSquares ? board[index] : 0;
      text += code > 0 ? 'x' : (code < 0 ? 'o' : '.');
    }
    text += '\n';
  }
  return text;
}

}  // namespace tavlero::e2e
