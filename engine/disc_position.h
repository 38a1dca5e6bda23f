// A disc-game position (kind 1) for the fast search: the two sides' discs as
// bitboards, moved on and taken back with the shared bitboard rules.
#pragma once

#include <cstdint>

#include "engine/bit_count.h"
#include "engine/disc_rules.h"

namespace tavlero {

struct DiscSearchMove {
  std::uint64_t flips;  // filled in by Make
  std::int8_t square;
};

class DiscPosition {
 public:
  using Move = DiscSearchMove;

  // `cells` must hold only -1, 0 and +1 on the 64 squares (see Accepts).
  DiscPosition(const int* cells, int player);
  static bool Accepts(const int* cells);

  int Player() const { return player_; }
  int Evaluate(int depth, bool& terminal) const;
  // The moves in the kind engine's order (column by column, row by row within a
  // column); -1 when more than `room`.
  int Generate(Move* out, int room, bool rootOrder) const;
  // The number of moves Generate would list.
  int CountMoves() const { return CountBits(DiscMoveMask(own_, other_, ~(own_ | other_))); }
  void Make(Move& move) {
    const std::uint64_t bit = std::uint64_t{1} << move.square;
    move.flips = DiscFlips(own_, other_, move.square);
    const std::uint64_t own = own_ | move.flips | bit;
    own_ = other_ & ~move.flips;
    other_ = own;
    player_ = -player_;
  }
  void Unmake(const Move& move) {
    const std::uint64_t bit = std::uint64_t{1} << move.square;
    const std::uint64_t mover = other_ & ~(move.flips | bit);
    other_ = own_ | move.flips;
    own_ = mover;
    player_ = -player_;
  }
  bool LeafValue(const Move&, int, int&) const { return false; }
  std::uint64_t Hash() const;
  int OrderKey(const Move& move) const { return DiscSquareWeight(move.square); }
  std::uint32_t MoveId(const Move& move) const { return static_cast<std::uint32_t>(move.square); }
  int HistoryIndex(const Move& move) const { return move.square; }

 private:
  std::uint64_t own_ = 0;    // discs of the side to move
  std::uint64_t other_ = 0;  // discs of the other side
  int player_;
};

}  // namespace tavlero
