#include "engine/disc_position.h"

#include <bit>

#include "engine/zobrist_keys.h"

namespace tavlero {

namespace {

constexpr std::uint64_t Mix(std::uint64_t z) {
  z = (z ^ (z >> 33)) * 0xFF51AFD7ED558CCDull;
  z = (z ^ (z >> 33)) * 0xC4CEB9FE1A85EC53ull;
  return z ^ (z >> 33);
}

}  // namespace

bool DiscPosition::Accepts(const int* cells) {
  for (int i = 0; i < kDiscCells; ++i)
    if (cells[i] < -1 || cells[i] > 1) return false;
  return true;
}

DiscPosition::DiscPosition(const int* cells, int player) : player_(player) {
  for (int i = 0; i < kDiscCells; ++i) {
    if (cells[i] == player) own_ |= std::uint64_t{1} << i;
    else if (cells[i] == -player) other_ |= std::uint64_t{1} << i;
  }
}

int DiscPosition::Evaluate(int, bool& terminal) const {
  const std::uint64_t plus = player_ > 0 ? own_ : other_;
  const std::uint64_t minus = player_ > 0 ? other_ : own_;
  return DiscScore(plus, minus, (own_ | other_) == ~std::uint64_t{0}, player_, terminal);
}

int DiscPosition::Generate(Move* out, int room, bool) const {
  const std::uint64_t moves = DiscMoveMask(own_, other_, ~(own_ | other_));
  if (CountBits(moves) > room) return -1;
  int count = 0;
  for (int x = 0; x < kDiscBoardSide; ++x) {
    for (std::uint64_t column = (moves >> x) & 0x0101010101010101ull; column != 0; column &= column - 1)
      out[count++] = Move{0, static_cast<std::int8_t>(std::countr_zero(column) + x)};
  }
  return count;
}

std::uint64_t DiscPosition::Hash() const {
  const std::uint64_t plus = player_ > 0 ? own_ : other_;
  const std::uint64_t minus = player_ > 0 ? other_ : own_;
  return Mix(plus ^ Mix(minus + 0x9E3779B97F4A7C15ull)) ^ (player_ < 0 ? kZobrist.sideMinus : 0);
}

}  // namespace tavlero
