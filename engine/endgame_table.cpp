#include "engine/endgame_table.h"

#include <algorithm>
#include <cstdio>

#include "engine/draughts_squares.h"

namespace tavlero {

namespace {

constexpr int kSquares = 32;
constexpr int kBoard = 8;
constexpr int kSlots = 4;
constexpr int kEmptySlot = 64;

std::int32_t ReadLittleEndian(const unsigned char* bytes) {
  const std::uint32_t v = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                          std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
  return static_cast<std::int32_t>(v);
}

}  // namespace

bool EndgameTable::Load(const std::string& fileName) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return false;
  unsigned char record[8];
  // Only complete records count; a short tail is ignored.
  while (std::fread(record, 1, sizeof record, file) == sizeof record) {
    entries_[ReadLittleEndian(record)] = ReadLittleEndian(record + 4);
  }
  std::fclose(file);
  return true;
}

std::int32_t MakeEndgameKey(int player, const int* cells) {
  int board[kSquares];
  if (player > 0) {
    std::copy(cells, cells + kSquares, board);
  } else {
    // Seen from side -1: turn the board by 180 degrees and swap the colours.
    for (int i = 0; i < kSquares; ++i) {
      const int turned = SquareAt(kBoard - 1 - SquareColumn(i), kBoard - 1 - SquareRow(i));
      board[turned] = -cells[i];
    }
  }
  int slots[kSlots] = {kEmptySlot, kEmptySlot, kEmptySlot, kEmptySlot};
  int used = 0;
  for (int i = 0; i < kSquares && used < kSlots; ++i) {
    switch (board[i]) {
      case 1: slots[used++] = 65 + i; break;
      case 2: slots[used++] = 97 + i; break;
      case -1: slots[used++] = 63 - i; break;
      case -2: slots[used++] = 31 - i; break;
      default: break;
    }
  }
  std::sort(slots, slots + kSlots);
  const std::uint32_t key = std::uint32_t(slots[0]) << 24 | std::uint32_t(slots[1]) << 16 |
                            std::uint32_t(slots[2]) << 8 | std::uint32_t(slots[3]);
  return static_cast<std::int32_t>(key);
}

}  // namespace tavlero
