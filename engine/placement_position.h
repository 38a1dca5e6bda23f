// Positions of the stone-placement kinds for the fast search: kind 4 (connection
// game) and kind 2 (five in a row). A move puts one stone of the side to move on an
// empty cell and is taken back by emptying it again. The move lists and the
// evaluations are the shared rules; five in a row keeps its line patterns up to date
// stone by stone.
#pragma once

#include <cstdint>

#include "engine/gomoku_patterns.h"
#include "engine/hex_connection.h"
#include "engine/search_engine.h"
#include "engine/zobrist_keys.h"

namespace tavlero {

struct PlacementMove {
  std::int16_t cell;
};

// Whether the n x n cells hold only -1, 0 and +1.
bool HoldsOnlyStones(const int* cells, int n);

class HexPosition {
 public:
  using Move = PlacementMove;

  HexPosition(const int* cells, int boardSize, int player);

  int Player() const { return player_; }
  int Evaluate(int depth, bool& terminal) const {
    return EvaluateHex(cells_, n_, player_, depth, terminal);
  }
  // The moves, always in the kind engine's order; -1 when more than `room`.
  int Generate(Move* out, int room, bool rootOrder) const;
  // The number of moves Generate would list.
  int CountMoves() const {
    int moves[kMaxCells];
    return ListHexMoves(cells_, n_, moves);
  }
  void Make(Move& move) { Place(move.cell, player_); player_ = -player_; }
  void Unmake(const Move& move) { player_ = -player_; Place(move.cell, 0); }
  bool LeafValue(const Move&, int, int&) const { return false; }
  std::uint64_t Hash() const { return hash_ ^ (player_ < 0 ? kZobrist.sideMinus : 0); }
  int OrderKey(const Move&) const { return 0; }
  std::uint32_t MoveId(const Move& move) const { return static_cast<std::uint32_t>(move.cell); }
  int HistoryIndex(const Move& move) const { return move.cell; }

 private:
  void Place(int cell, int code) {
    hash_ ^= CellKey(cell, cells_[cell]) ^ CellKey(cell, code);
    cells_[cell] = static_cast<std::int8_t>(code);
  }

  std::int8_t cells_[kMaxCells] = {};
  int n_;
  int player_;
  std::uint64_t hash_ = 0;
};

class GomokuPosition {
 public:
  using Move = PlacementMove;

  GomokuPosition(const int* cells, int boardSize, int player);

  int Player() const { return player_; }
  int Evaluate(int depth, bool& terminal) const { return board_.Evaluate(player_, depth, terminal); }
  // The moves, always in the kind engine's order; -1 when more than `room`.
  int Generate(Move* out, int room, bool rootOrder) const;
  // The number of moves Generate would list.
  int CountMoves() const {
    int moves[kMaxCells];
    return ListOfferedPoints(board_.Cells(), board_.Side(), moves);
  }
  void Make(Move& move) { Place(move.cell, player_); player_ = -player_; }
  void Unmake(const Move& move) { player_ = -player_; Place(move.cell, 0); }
  bool LeafValue(const Move&, int, int&) const { return false; }
  std::uint64_t Hash() const { return hash_ ^ (player_ < 0 ? kZobrist.sideMinus : 0); }
  int OrderKey(const Move&) const { return 0; }
  std::uint32_t MoveId(const Move& move) const { return static_cast<std::uint32_t>(move.cell); }
  int HistoryIndex(const Move& move) const { return move.cell; }

 private:
  void Place(int cell, int code) {
    hash_ ^= CellKey(cell, board_.Cells()[cell]) ^ CellKey(cell, code);
    board_.Set(cell, code);
  }

  GomokuBoard board_;
  int player_;
  std::uint64_t hash_ = 0;
};

}  // namespace tavlero
