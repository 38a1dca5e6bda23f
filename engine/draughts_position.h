// A draughts position (kinds 0, 3, 5, 6, 7) that the fast search makes moves on and
// takes them back: bitboards of both sides and of the kings, the weighted material
// kept up to date move by move, and the position's hash key. Moves come from the
// shared move generator and the evaluation from the shared piece values, so it plays
// and scores exactly as the kind engines do.
#pragma once

#include <cstdint>

#include "engine/draughts_rules.h"
#include "engine/endgame_table.h"
#include "engine/zobrist_keys.h"

namespace tavlero {

// A move by bit (see draughts_rules.h).
struct DraughtsSearchMove {
  std::uint64_t taken;       // the pieces taken
  std::uint64_t takenKings;  // those of them that were kings
  std::int32_t change;       // the change of the weighted material, side +1's view
  std::int8_t from;
  std::int8_t to;
  std::int8_t moved;  // code of the moving piece before the move
  std::int8_t piece;  // and after it
};

class DraughtsPosition {
 public:
  using Move = DraughtsSearchMove;

  // The rules and evaluation of a draughts kind (0, 3, 5, 6 or 7). `endgames` is
  // consulted as kind 0 does (null: never). `cells` (the kind's numbering) must hold
  // only empty cells, men and kings; marks are read as empty (see Accepts).
  DraughtsPosition(int kind, const int* cells, int player, const EndgameTable* endgames);

  // Whether the position's cells hold only codes the fast search plays (empty, men
  // and kings), once the marks of a flying king's capture are cleared.
  static bool Accepts(int kind, const int* cells);
  static const DraughtsRules& RulesFor(int kind);

  int Player() const { return player_; }
  int Evaluate(int depth, bool& terminal) const;
  // The moves, in the kind engines' order when `cellOrder` (the root's move list).
  int Generate(Move* out, int room, bool cellOrder) const;
  // The number of moves Generate would list.
  int CountMoves() const;
  void Make(Move& move);
  void Unmake(const Move& move);
  // The evaluation (at `depth`) of the position after the move, without making it;
  // false when that needs the whole position (a lookup in the endgame table).
  bool LeafValue(const Move& move, int depth, int& value) const;
  std::uint64_t Hash() const { return hash_; }
  // Material won by the mover first (lost, in the kinds where losing pieces wins).
  int OrderKey(const Move& move) const { return inverted_ ? -move.change * player_ : move.change * player_; }
  std::uint32_t MoveId(const Move& move) const {
    const std::uint64_t t = move.taken ^ (move.taken >> 29);
    return static_cast<std::uint32_t>(move.from) | static_cast<std::uint32_t>(move.to) << 6 |
           static_cast<std::uint32_t>(t) << 12;
  }
  int HistoryIndex(const Move& move) const { return move.from * 64 + move.to; }

 private:
  DraughtsBits Bits() const;
  void Put(int bit, int code);
  void Remove(int bit, int code);
  int EndgameScore(bool& found) const;

  const DraughtsRules& rules_;
  const DraughtsGeometry& geometry_;
  const bool inverted_;  // kinds 5 and 6: the side that loses all its pieces wins
  const EndgameTable* endgames_;
  int value_[kFullCellCount][kHashedCodes];  // material of each code on each bit, side +1's view
  std::uint64_t plus_ = 0;   // pieces of side +1
  std::uint64_t minus_ = 0;  // pieces of side -1
  std::uint64_t kings_ = 0;  // kings of either side
  int player_;
  int balance_ = 0;
  std::uint64_t hash_ = 0;
};

}  // namespace tavlero
