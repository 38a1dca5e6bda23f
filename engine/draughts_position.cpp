#include "engine/draughts_position.h"

#include <bit>

#include "engine/bit_count.h"
#include "engine/draughts_eval.h"
#include "engine/search_engine.h"

namespace tavlero {

namespace {
// Positions with this many pieces or fewer are looked up in kind 0's endgame table.
constexpr int kEndgamePieces = 3;
}  // namespace

const DraughtsRules& DraughtsPosition::RulesFor(int kind) {
  switch (kind) {
    case 3:
    case 6: return kFlyingKingRules;
    case 7: return kOrthogonalRules;
    default: return kShortKingRules;
  }
}

bool DraughtsPosition::Accepts(int kind, const int* cells) {
  const DraughtsRules& rules = RulesFor(kind);
  for (int i = 0; i < CellCountFor(rules); ++i) {
    const int code = cells[i];
    const bool mark = rules.flyingKings && (code == 3 || code == -3);
    if (code != 0 && !IsDraughtsPiece(code) && !mark) return false;
  }
  return true;
}

DraughtsPosition::DraughtsPosition(int kind, const int* cells, int player, const EndgameTable* endgames)
    : rules_(RulesFor(kind)),
      geometry_(GeometryFor(rules_)),
      inverted_(kind == 5 || kind == 6),
      endgames_(kind == 0 && endgames && endgames->Size() > 0 ? endgames : nullptr),
      player_(player) {
  for (int b = 0; b < kFullCellCount; ++b) {
    const int cell = geometry_.bitToCell[b];
    for (int code = -2; code <= 2; ++code) {
      value_[b][code + 2] = cell < 0 ? 0
                            : rules_.orthogonal ? OrthogonalPieceValue(code)
                                                : DiagonalPieceValue(cell, code);
    }
  }
  for (int cell = 0; cell < geometry_.cellCount; ++cell)
    if (IsDraughtsPiece(cells[cell])) Put(geometry_.cellToBit[cell], cells[cell]);
  if (player_ < 0) hash_ ^= kZobrist.sideMinus;
}

void DraughtsPosition::Put(int bit, int code) {
  const std::uint64_t mask = std::uint64_t{1} << bit;
  (code > 0 ? plus_ : minus_) |= mask;
  if (code == 2 || code == -2) kings_ |= mask;
  balance_ += value_[bit][code + 2];
  hash_ ^= CellKey(bit, code);
}

void DraughtsPosition::Remove(int bit, int code) {
  const std::uint64_t mask = ~(std::uint64_t{1} << bit);
  plus_ &= mask;
  minus_ &= mask;
  kings_ &= mask;
  balance_ -= value_[bit][code + 2];
  hash_ ^= CellKey(bit, code);
}

int DraughtsPosition::EndgameScore(bool& found) const {
  int cells[kDarkCellCount] = {};
  for (std::uint64_t rest = plus_ | minus_; rest != 0; rest &= rest - 1) {
    const int b = std::countr_zero(rest);
    cells[geometry_.bitToCell[b]] = ((plus_ >> b & 1) ? 1 : -1) * ((kings_ >> b & 1) ? 2 : 1);
  }
  int stored = 0;
  found = endgames_->Find(MakeEndgameKey(player_, cells), stored);
  return stored;
}

int DraughtsPosition::Evaluate(int depth, bool& terminal) const {
  int raw = 0;
  terminal = true;
  if (minus_ == 0) {
    raw = player_ * kWinScore;
  } else if (plus_ == 0) {
    raw = -player_ * kWinScore;
  } else {
    terminal = false;
    raw = balance_ * player_;
    if (endgames_ && AtMostBits(plus_ | minus_, kEndgamePieces)) {
      const int stored = EndgameScore(terminal);
      if (terminal) raw = stored;
    }
  }
  const int score = DepthDiscount(raw, depth);
  return inverted_ ? -score : score;
}

DraughtsBits DraughtsPosition::Bits() const {
  const std::uint64_t own = player_ > 0 ? plus_ : minus_;
  const std::uint64_t other = player_ > 0 ? minus_ : plus_;
  DraughtsBits bits;
  bits.men = own & ~kings_;
  bits.others = bits.kings = own & kings_;
  bits.prey = other;
  bits.preyKings = other & kings_;
  bits.empty = geometry_.squares & ~(plus_ | minus_);
  return bits;
}

int DraughtsPosition::CountMoves() const {
  return CountDraughtsBitMoves(rules_, Bits(), player_);
}

int DraughtsPosition::Generate(Move* out, int room, bool cellOrder) const {
  const DraughtsBits bits = Bits();
  int count = 0;
  bool full = false;
  GenerateDraughtsBitMoves(rules_, bits, player_, cellOrder, [&](const DraughtsMove& found) {
    if (count >= room) {
      full = true;
      return;
    }
    Move& m = out[count++];
    m.from = static_cast<std::int8_t>(found.from);
    m.to = static_cast<std::int8_t>(found.to);
    m.moved = static_cast<std::int8_t>(found.moved);
    m.piece = static_cast<std::int8_t>(found.piece);
    m.taken = 0;
    m.takenKings = 0;
    int change = value_[found.to][found.piece + 2] - value_[found.from][found.moved + 2];
    for (int j = 0; j < found.jumps; ++j) {
      const std::uint64_t bit = std::uint64_t{1} << found.over[j];
      m.taken |= bit;
      if (found.overCode[j] == 2 || found.overCode[j] == -2) m.takenKings |= bit;
      change -= value_[found.over[j]][found.overCode[j] + 2];
    }
    m.change = change;
  });
  return full ? -1 : count;
}

bool DraughtsPosition::LeafValue(const Move& move, int depth, int& value) const {
  // After the move the other side is to move; the mover keeps all its pieces.
  const int toMove = -player_;
  const std::uint64_t prey = (player_ > 0 ? minus_ : plus_) & ~move.taken;
  int raw = 0;
  if (prey == 0) {
    raw = -kWinScore;  // the side to move has no piece left
  } else {
    const std::uint64_t own = player_ > 0 ? plus_ : minus_;
    if (endgames_ && AtMostBits(own | prey, kEndgamePieces)) return false;
    raw = (balance_ + move.change) * toMove;
  }
  const int score = DepthDiscount(raw, depth);
  value = inverted_ ? -score : score;
  return true;
}

void DraughtsPosition::Make(Move& move) {
  const int taken = -player_;
  Remove(move.from, move.moved);
  for (std::uint64_t rest = move.taken; rest != 0; rest &= rest - 1) {
    const int b = std::countr_zero(rest);
    Remove(b, (move.takenKings >> b & 1) ? 2 * taken : taken);
  }
  Put(move.to, move.piece);
  player_ = -player_;
  hash_ ^= kZobrist.sideMinus;
}

void DraughtsPosition::Unmake(const Move& move) {
  player_ = -player_;
  hash_ ^= kZobrist.sideMinus;
  const int taken = -player_;
  Remove(move.to, move.piece);
  for (std::uint64_t rest = move.taken; rest != 0; rest &= rest - 1) {
    const int b = std::countr_zero(rest);
    Put(b, (move.takenKings >> b & 1) ? 2 * taken : taken);
  }
  Put(move.from, move.moved);
}

}  // namespace tavlero
