// The move rules of the draughts kinds, shared by the engine nodes and the fast
// search. The generator works on bitboards; the functions over a plain array of cell
// codes are built on it.
//
// Cell codes: 0 empty, +1/-1 man, +2/-2 king, +3/-3 a piece already jumped by a
// flying king during the capture being made (it still blocks, and cannot be jumped
// twice). Side +1 moves towards row 0, side -1 towards the top row; a man that ends a
// step or a jump on its far row becomes a king, and a promotion ends the move.
//
// Squares have two numbers: the cell (the kind's numbering: the dark-square numbering
// on the diagonal kinds, row * 8 + column on the orthogonal one) and the bit (row * 8
// + column on every kind), which bitboards use.
#pragma once

#include <bit>
#include <cstdint>
#include <type_traits>

#include "engine/bit_count.h"
#include "engine/draughts_squares.h"

namespace tavlero {

struct DraughtsRules {
  bool orthogonal;           // all 64 squares, orthogonal directions; else the 32 dark squares
  bool flyingKings;          // kings slide and capture at any distance, leaving marks
  bool menCaptureBackwards;  // men capture in every direction, not only forwards
};

// Kinds 0 and 5: men move and capture forwards only; kings move one square.
inline constexpr DraughtsRules kShortKingRules{false, false, false};
// Kinds 3 and 6: men capture backwards too; kings fly.
inline constexpr DraughtsRules kFlyingKingRules{false, true, true};
// Kind 7: orthogonal; men step forwards or sideways, may hop over an own piece, and
// capture in all four directions; kings fly and may pass an own piece right next to them.
inline constexpr DraughtsRules kOrthogonalRules{true, true, true};

constexpr int kDraughtsBoard = 8;
constexpr int kMaxRay = kDraughtsBoard - 1;
constexpr int kDarkCellCount = 32;
constexpr int kFullCellCount = 64;
// Longest capture path: every opposing piece of a full side once.
constexpr int kMaxCapturePath = 24;

// The board of a kind, by bit: the rays along each direction (in the kind's direction
// order, -1 past the edge), and the shift that moves a whole bitboard one step.
// Diagonal directions are column -1 (row -1, then row +1), then column +1 (row -1,
// then row +1); orthogonal directions are right, left, up, down.
struct DraughtsGeometry {
  int cellCount;
  std::uint64_t squares;  // the bits of the cells in use
  int cellToBit[kFullCellCount];
  int bitToCell[kFullCellCount];  // -1 for a square not in use
  int row[kFullCellCount];        // by bit
  int rowStep[4];
  int opposite[4];            // the direction back
  int shift[4];               // bit step of one move along the direction
  std::uint64_t landing[4];   // the bits a one-step shift may land on (no wrap round an edge)
  std::int8_t ray[kFullCellCount][4][kMaxRay];

  constexpr std::uint64_t Shift(std::uint64_t b, int d) const {
    return (shift[d] > 0 ? b << shift[d] : b >> -shift[d]) & landing[d];
  }
};

constexpr DraughtsGeometry MakeDraughtsGeometry(bool orthogonal) {
  struct Step {
    int column;
    int row;
  };
  // Diagonal kinds try column -1 before +1, and within each, row -1 before +1; the
  // orthogonal kind tries right, left, up, down.
  constexpr Step kDiagonalSteps[4] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  constexpr Step kOrthogonalSteps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  constexpr std::uint64_t kColumn0 = 0x0101010101010101ull;
  constexpr std::uint64_t kColumn7 = 0x8080808080808080ull;
  const Step* steps = orthogonal ? kOrthogonalSteps : kDiagonalSteps;
  DraughtsGeometry g{};
  g.cellCount = orthogonal ? kFullCellCount : kDarkCellCount;
  for (int b = 0; b < kFullCellCount; ++b) {
    g.bitToCell[b] = -1;
    g.row[b] = b / kDraughtsBoard;
    for (auto& ray : g.ray[b])
      for (std::int8_t& s : ray) s = -1;
  }
  for (int cell = 0; cell < g.cellCount; ++cell) {
    const int b = orthogonal ? cell : SquareRow(cell) * kDraughtsBoard + SquareColumn(cell);
    g.cellToBit[cell] = b;
    g.bitToCell[b] = cell;
    g.squares |= std::uint64_t{1} << b;
  }
  for (int d = 0; d < 4; ++d) {
    for (int e = 0; e < 4; ++e)
      if (steps[e].column == -steps[d].column && steps[e].row == -steps[d].row) g.opposite[d] = e;
    g.rowStep[d] = steps[d].row;
    g.shift[d] = steps[d].row * kDraughtsBoard + steps[d].column;
    g.landing[d] = g.squares & (steps[d].column > 0 ? ~kColumn0 : steps[d].column < 0 ? ~kColumn7 : ~0ull);
  }
  for (int b = 0; b < kFullCellCount; ++b) {
    if (g.bitToCell[b] < 0) continue;
    const int column = b % kDraughtsBoard, row = b / kDraughtsBoard;
    for (int d = 0; d < 4; ++d) {
      for (int k = 0; k < kMaxRay; ++k) {
        const int c = column + steps[d].column * (k + 1), r = row + steps[d].row * (k + 1);
        if (c < 0 || r < 0 || c >= kDraughtsBoard || r >= kDraughtsBoard) break;
        g.ray[b][d][k] = static_cast<std::int8_t>(r * kDraughtsBoard + c);
      }
    }
  }
  return g;
}

inline constexpr DraughtsGeometry kDiagonalGeometry = MakeDraughtsGeometry(false);
inline constexpr DraughtsGeometry kOrthogonalGeometry = MakeDraughtsGeometry(true);

inline const DraughtsGeometry& GeometryFor(const DraughtsRules& rules) {
  return rules.orthogonal ? kOrthogonalGeometry : kDiagonalGeometry;
}
inline int CellCountFor(const DraughtsRules& rules) {
  return rules.orthogonal ? kFullCellCount : kDarkCellCount;
}

// A rule set as compile-time constants, so that the move generator is compiled once
// per rule set with its choices made.
template <bool Orthogonal, bool FlyingKings, bool MenCaptureBackwards>
struct FixedDraughtsRules {
  static constexpr bool orthogonal = Orthogonal;
  static constexpr bool flyingKings = FlyingKings;
  static constexpr bool menCaptureBackwards = MenCaptureBackwards;
  static constexpr const DraughtsGeometry& geometry = Orthogonal ? kOrthogonalGeometry : kDiagonalGeometry;
};

// Calls visit(FixedDraughtsRules<...>{}) with the rule set's constants.
template <class Visit>
decltype(auto) WithFixedRules(const DraughtsRules& rules, Visit&& visit) {
  if (rules.orthogonal) {
    if (rules.flyingKings) {
      return rules.menCaptureBackwards ? visit(FixedDraughtsRules<true, true, true>{})
                                       : visit(FixedDraughtsRules<true, true, false>{});
    }
    return rules.menCaptureBackwards ? visit(FixedDraughtsRules<true, false, true>{})
                                     : visit(FixedDraughtsRules<true, false, false>{});
  }
  if (rules.flyingKings) {
    return rules.menCaptureBackwards ? visit(FixedDraughtsRules<false, true, true>{})
                                     : visit(FixedDraughtsRules<false, true, false>{});
  }
  return rules.menCaptureBackwards ? visit(FixedDraughtsRules<false, false, true>{})
                                   : visit(FixedDraughtsRules<false, false, false>{});
}

// Clears the marks a flying king's capture left in the position.
inline void ClearCaptureMarks(int* cells, int count) {
  for (int i = 0; i < count; ++i)
    if (cells[i] == 3 || cells[i] == -3) cells[i] = 0;
}

// A position by bits, seen from the side to move.
struct DraughtsBits {
  std::uint64_t men = 0;        // the side to move's men
  std::uint64_t others = 0;     // its other pieces: kings (and any other code of its sign)
  std::uint64_t kings = 0;      // those of `others` that are kings
  std::uint64_t prey = 0;       // the other side's men and kings, the pieces that can be taken
  std::uint64_t preyKings = 0;  // those of `prey` that are kings
  std::uint64_t empty = 0;      // empty squares in use; every other square blocks
};

// The bits of a position given as cell codes (cells of the kind's numbering).
DraughtsBits ReadDraughtsBits(const DraughtsRules& rules, const int* cells, int player);

// One complete move. The generator fills it in by bit; the functions over cell codes
// pass it on by cell.
struct DraughtsMove {
  int from;   // the moving piece's square
  int to;     // its last landing square
  int moved;  // its code before the move
  int piece;  // and after it (a promoted man is a king)
  int jumps;  // pieces taken; 0 for a plain move
  int path[kMaxCapturePath];      // landing squares, first jump first
  int over[kMaxCapturePath];      // the squares of the pieces taken, in the same order
  int overCode[kMaxCapturePath];  // and their codes before the move
};

// Lists every complete move of `player`: if any piece can capture, exactly the
// complete capture sequences of every capturing piece (any of them may be chosen);
// otherwise every plain move. emit(move) receives each move by bit; returns the
// number of moves.
//
// In cell order (the order of the kind engines' successor lists) pieces are visited
// in cell order, each piece's directions in the kind's order, a flying king's landing
// squares outwards, and a capture's continuations depth first. Without it the same
// moves come in an order that is quicker to produce: pieces by bit, plain moves of
// men and short kings direction by direction.
template <class Rules, class Emit>
class DraughtsMoveGenerator {
 public:
  DraughtsMoveGenerator(const DraughtsBits& bits, int player, Emit& emit)
      : men_(bits.men),
        others_(bits.others),
        kings_(bits.kings),
        prey_(bits.prey),
        preyKings_(bits.preyKings),
        empty_(bits.empty),
        player_(player),
        emit_(emit) {}

  int Generate(bool cellOrder) {
    const std::uint64_t own = men_ | others_;
    int total = 0;
    if (const std::uint64_t capturers = Capturers()) {
      if (cellOrder) {
        for (int i = 0; i < g_.cellCount; ++i) {
          const int b = g_.cellToBit[i];
          if (capturers >> b & 1) total += PieceCaptures(b);
        }
      } else {
        for (std::uint64_t rest = capturers; rest != 0; rest &= rest - 1)
          total += PieceCaptures(std::countr_zero(rest));
      }
      if (total > 0) return total;
    }
    FindSteps();
    if (cellOrder) {
      for (int i = 0; i < g_.cellCount; ++i) {
        const int b = g_.cellToBit[i];
        if (own >> b & 1) total += PlainMoves(b);
      }
      return total;
    }
    for (int d = 0; d < 4; ++d) {
      for (std::uint64_t rest = steps_[d]; rest != 0; rest &= rest - 1) {
        const int from = std::countr_zero(rest);
        total += EmitPlain(from, from + g_.shift[d]);
      }
      for (std::uint64_t rest = hops_[d]; rest != 0; rest &= rest - 1) {
        const int from = std::countr_zero(rest);
        total += EmitPlain(from, from + 2 * g_.shift[d]);
      }
    }
    if (rules_.flyingKings) {
      for (std::uint64_t rest = others_; rest != 0; rest &= rest - 1) total += FlyingMoves(std::countr_zero(rest));
    }
    return total;
  }

  // The number of moves Generate lists; the one-step moves are counted, not emitted.
  int Count() {
    int total = 0;
    if (const std::uint64_t capturers = Capturers()) {
      for (std::uint64_t rest = capturers; rest != 0; rest &= rest - 1) total += PieceCaptures(std::countr_zero(rest));
      if (total > 0) return total;
    }
    FindSteps();
    for (int d = 0; d < 4; ++d) total += CountBits(steps_[d]) + CountBits(hops_[d]);
    if (rules_.flyingKings) {
      for (std::uint64_t rest = others_; rest != 0; rest &= rest - 1) total += FlyingMoves(std::countr_zero(rest));
    }
    return total;
  }

 private:
  bool IsMan(int piece) const { return piece == player_; }
  int CodeOf(int b) const { return (men_ >> b & 1) ? player_ : (kings_ >> b & 1) ? 2 * player_ : 3 * player_; }
  int ForwardStep() const { return -player_; }  // +1 moves down the rows, -1 up
  int FarRow() const { return player_ > 0 ? 0 : kDraughtsBoard - 1; }
  int Landed(int piece, int b) const { return IsMan(piece) && g_.row[b] == FarRow() ? 2 * player_ : piece; }
  bool Empty(int b) const { return empty_ >> b & 1; }
  bool ManCapturesAlong(int d) const { return rules_.menCaptureBackwards || g_.rowStep[d] == ForwardStep(); }
  // Diagonal men step forwards only; orthogonal men forwards or sideways.
  bool ManStepsAlong(int d) const {
    return rules_.orthogonal ? g_.rowStep[d] != -ForwardStep() : g_.rowStep[d] == ForwardStep();
  }

  // The pieces that can make a first jump, found on whole bitboards: men and short
  // kings with an adjacent piece to take and an empty square behind it, and every
  // flying king when some king of the side reaches a piece to take that way.
  std::uint64_t Capturers() const {
    std::uint64_t capturers = 0;
    bool kingCaptures = false;
    for (int d = 0; d < 4; ++d) {
      const int back = g_.opposite[d];
      const std::uint64_t jumpers = (ManCapturesAlong(d) ? men_ : 0) | (rules_.flyingKings ? 0 : others_);
      capturers |= jumpers & g_.Shift(prey_ & g_.Shift(empty_, back), back);
      if (rules_.flyingKings && others_ != 0 && !kingCaptures) {
        // A flying king reaches the first piece along the ray over empty squares.
        std::uint64_t reach = others_;
        for (int k = 1; k < kMaxRay; ++k) reach |= g_.Shift(reach, d) & empty_;
        kingCaptures = (g_.Shift(g_.Shift(reach, d) & prey_, d) & empty_) != 0;
      }
    }
    return kingCaptures ? capturers | others_ : capturers;
  }

  // The pieces that make a one-step move (men, and short kings) or an orthogonal
  // man's hop over an own piece, per direction, by the square they start from.
  void FindSteps() {
    const std::uint64_t own = men_ | others_;
    for (int d = 0; d < 4; ++d) {
      const int back = g_.opposite[d];
      const std::uint64_t stepping = (ManStepsAlong(d) ? men_ : 0) | (rules_.flyingKings ? 0 : others_);
      steps_[d] = stepping & g_.Shift(empty_, back);
      // A man blocked by an own piece hops over it onto an empty square behind.
      hops_[d] = rules_.orthogonal && ManStepsAlong(d) ? men_ & g_.Shift(own & g_.Shift(empty_, back), back) : 0;
    }
  }

  int EmitPlain(int from, int to) {
    move_.from = from;
    move_.to = to;
    move_.moved = CodeOf(from);
    move_.piece = Landed(move_.moved, to);
    move_.jumps = 0;
    emit_(static_cast<const DraughtsMove&>(move_));
    return 1;
  }

  // The plain moves of one piece, in the kind's direction order.
  int PlainMoves(int from) {
    if (rules_.flyingKings && !(men_ >> from & 1)) return FlyingMoves(from);
    int found = 0;
    for (int d = 0; d < 4; ++d) {
      if (steps_[d] >> from & 1) found += EmitPlain(from, from + g_.shift[d]);
      else if (hops_[d] >> from & 1) found += EmitPlain(from, from + 2 * g_.shift[d]);
    }
    return found;
  }

  // A flying king slides over empty squares; only the orthogonal king passes an own
  // piece right next to it.
  int FlyingMoves(int from) {
    const std::uint64_t own = men_ | others_;
    int found = 0;
    for (int d = 0; d < 4; ++d) {
      const std::int8_t* ray = g_.ray[from][d];
      for (int k = 0; k < kMaxRay && ray[k] >= 0; ++k) {
        if (Empty(ray[k])) {
          found += EmitPlain(from, ray[k]);
        } else if (!(rules_.orthogonal && k == 0 && (own >> ray[k] & 1))) {
          break;
        }
      }
    }
    return found;
  }

  int PieceCaptures(int from) {
    move_.from = from;
    move_.moved = CodeOf(from);
    return Captures(from, move_.moved, 0);
  }

  // Emits the complete capture sequences of `piece` standing on `from`, whose path
  // so far holds `pathLength` landings; returns their number.
  int Captures(int from, int piece, int pathLength) {
    if (pathLength >= kMaxCapturePath) return 0;
    int found = 0;
    const bool man = IsMan(piece);
    for (int d = 0; d < 4; ++d) {
      const std::int8_t* ray = g_.ray[from][d];
      if (man || !rules_.flyingKings) {
        if (man && !ManCapturesAlong(d)) continue;
        const int over = ray[0];
        const int to = over >= 0 ? ray[1] : -1;
        if (to < 0 || !(prey_ >> over & 1) || !Empty(to)) continue;
        found += Jump(from, over, to, piece, false, pathLength);
        continue;
      }
      // Flying king: pass empty squares; the first piece must be one to take (an own
      // piece or a mark ends the ray), and every empty square right behind it is a
      // landing square of its own.
      int k = 0;
      while (k < kMaxRay && ray[k] >= 0 && Empty(ray[k])) ++k;
      if (k >= kMaxRay || ray[k] < 0 || !(prey_ >> ray[k] & 1)) continue;
      const int over = ray[k];
      for (++k; k < kMaxRay && ray[k] >= 0 && Empty(ray[k]); ++k)
        found += Jump(from, over, ray[k], piece, true, pathLength);
    }
    return found;
  }

  // One jump: the piece taken on `over` leaves a mark (a flying king's capture) or an
  // empty square; the sequence goes on from `to` unless the jump promoted a man.
  int Jump(int from, int over, int to, int piece, bool mark, int pathLength) {
    const std::uint64_t prey = prey_, empty = empty_;
    const int landed = Landed(piece, to);
    prey_ &= ~(std::uint64_t{1} << over);
    empty_ |= std::uint64_t{1} << from;
    if (!mark) empty_ |= std::uint64_t{1} << over;
    empty_ &= ~(std::uint64_t{1} << to);
    move_.path[pathLength] = to;
    move_.over[pathLength] = over;
    move_.overCode[pathLength] = (preyKings_ >> over & 1) ? -2 * player_ : -player_;
    int found = landed == piece ? Captures(to, piece, pathLength + 1) : 0;
    if (found == 0) {
      move_.to = to;
      move_.piece = landed;
      move_.jumps = pathLength + 1;
      emit_(static_cast<const DraughtsMove&>(move_));
      found = 1;
    }
    prey_ = prey;
    empty_ = empty;
    return found;
  }

  static constexpr Rules rules_{};
  static constexpr const DraughtsGeometry& g_ = Rules::geometry;
  const std::uint64_t men_, others_, kings_;
  std::uint64_t prey_;
  const std::uint64_t preyKings_;
  std::uint64_t empty_;
  const int player_;
  Emit& emit_;
  std::uint64_t steps_[4];
  std::uint64_t hops_[4];
  DraughtsMove move_;  // filled in as the move is built; every field is set before an emit
};

// The moves of a bit position: emit(move), squares by bit.
template <class Emit>
int GenerateDraughtsBitMoves(const DraughtsRules& rules, const DraughtsBits& bits, int player, bool cellOrder,
                             Emit&& emit) {
  return WithFixedRules(rules, [&](auto fixed) {
    DraughtsMoveGenerator<decltype(fixed), std::remove_reference_t<Emit>> generator(bits, player, emit);
    return generator.Generate(cellOrder);
  });
}

// The number of moves of a bit position.
inline int CountDraughtsBitMoves(const DraughtsRules& rules, const DraughtsBits& bits, int player) {
  return WithFixedRules(rules, [&](auto fixed) {
    auto ignore = [](const DraughtsMove&) {};
    DraughtsMoveGenerator<decltype(fixed), decltype(ignore)> generator(bits, player, ignore);
    return generator.Count();
  });
}

// The moves of a position given as cell codes: emit(board, move) receives the
// position after the move (valid only during the call; with flying kings the pieces
// taken are still on it as marks) and the move, squares by cell and codes as they
// stand on the board. The board is changed while emitting and restored before
// returning. Marks of an earlier capture must have been cleared by the caller.
template <class Emit>
int GenerateDraughtsMoveList(const DraughtsRules& rules, int* board, int player, Emit&& emit) {
  const DraughtsGeometry& g = GeometryFor(rules);
  DraughtsMove byCell;
  const DraughtsBits bits = ReadDraughtsBits(rules, board, player);
  return GenerateDraughtsBitMoves(rules, bits, player, true, [&](const DraughtsMove& m) {
    byCell.from = g.bitToCell[m.from];
    byCell.to = g.bitToCell[m.to];
    byCell.moved = board[byCell.from];
    const bool promoted = m.piece != m.moved;
    byCell.piece = promoted ? 2 * player : byCell.moved;
    byCell.jumps = m.jumps;
    // A flying king leaves the pieces it takes on the board as marks.
    const bool marks = rules.flyingKings && m.moved != player;
    for (int j = 0; j < m.jumps; ++j) {
      byCell.path[j] = g.bitToCell[m.path[j]];
      byCell.over[j] = g.bitToCell[m.over[j]];
      byCell.overCode[j] = board[byCell.over[j]];
    }
    board[byCell.from] = 0;
    for (int j = 0; j < m.jumps; ++j) board[byCell.over[j]] = marks ? 3 * player : 0;
    board[byCell.to] = byCell.piece;
    emit(static_cast<const int*>(board), static_cast<const DraughtsMove&>(byCell));
    board[byCell.to] = 0;
    for (int j = 0; j < m.jumps; ++j) board[byCell.over[j]] = byCell.overCode[j];
    board[byCell.from] = byCell.moved;
  });
}

// The positions and capture paths only: emit(board, path, pathLength).
template <class Emit>
int GenerateDraughtsMoves(const DraughtsRules& rules, int* board, int player, Emit&& emit) {
  return GenerateDraughtsMoveList(rules, board, player, [&emit](const int* after, const DraughtsMove& move) {
    emit(after, static_cast<const int*>(move.path), move.jumps);
  });
}

}  // namespace tavlero
