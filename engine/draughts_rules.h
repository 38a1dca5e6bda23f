// The move rules of the draughts kinds, over a plain array of cell codes so that the
// engine nodes and any compact search share one rule set.
//
// Cell codes: 0 empty, +1/-1 man, +2/-2 king, +3/-3 a piece already jumped by a
// flying king during the capture being made (it still blocks, and cannot be jumped
// twice). Side +1 moves towards row 0, side -1 towards the top row; a man that ends a
// step or a jump on its far row becomes a king, and a promotion ends the move.
#pragma once

#include <cstdlib>
#include <type_traits>

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

// Neighbourhood of every cell: the cells along each direction (in the kind's
// direction order), -1 past the edge. Diagonal directions are column -1 (row -1,
// then row +1), then column +1 (row -1, then row +1); orthogonal directions are
// right, left, up, down.
struct DraughtsGeometry {
  int cellCount;
  int row[kFullCellCount];
  int rowStep[4];
  int ray[kFullCellCount][4][kMaxRay];
};

const DraughtsGeometry& GeometryFor(const DraughtsRules& rules);
inline int CellCountFor(const DraughtsRules& rules) {
  return rules.orthogonal ? kFullCellCount : kDarkCellCount;
}

// Clears the marks a flying king's capture left in the position.
inline void ClearCaptureMarks(int* cells, int count) {
  for (int i = 0; i < count; ++i)
    if (cells[i] == 3 || cells[i] == -3) cells[i] = 0;
}

// Lists every complete move of `player`: if any piece can capture, exactly the
// complete capture sequences of every capturing piece (any of them may be chosen);
// otherwise every plain move. Pieces are visited in cell order. For each move,
// emit(board, path, pathLength) receives the position after the move (valid only
// during the call) and the landing cells of a capture, first jump first. The board
// is changed while generating and restored before returning. Returns the number of
// moves emitted. Marks of an earlier capture must have been cleared by the caller.
template <class Emit>
class DraughtsMoveGenerator {
 public:
  DraughtsMoveGenerator(const DraughtsRules& rules, int* board, int player, Emit& emit)
      : rules_(rules), geometry_(GeometryFor(rules)), board_(board), player_(player), emit_(emit) {}

  int Generate() {
    const int count = geometry_.cellCount;
    int total = 0;
    for (int i = 0; i < count; ++i)
      if (board_[i] * player_ > 0) total += Captures(i, board_[i], 0);
    if (total > 0) return total;
    for (int i = 0; i < count; ++i)
      if (board_[i] * player_ > 0) total += PlainMoves(i);
    return total;
  }

 private:
  bool IsMan(int piece) const { return piece == 1 || piece == -1; }
  int ForwardStep() const { return -player_; }  // +1 moves down the rows, -1 up
  int FarRow() const { return player_ > 0 ? 0 : kDraughtsBoard - 1; }
  int Landed(int piece, int cell) const {
    return IsMan(piece) && geometry_.row[cell] == FarRow() ? 2 * player_ : piece;
  }

  // Puts the piece from `from` onto `to` and emits the position.
  int EmitMove(int from, int to) {
    const int piece = board_[from];
    board_[from] = 0;
    board_[to] = Landed(piece, to);
    emit_(static_cast<const int*>(board_), static_cast<const int*>(path_), 0);
    board_[to] = 0;
    board_[from] = piece;
    return 1;
  }

  int PlainMoves(int from) {
    const int piece = board_[from];
    const bool man = IsMan(piece);
    int found = 0;
    for (int d = 0; d < 4; ++d) {
      const int* ray = geometry_.ray[from][d];
      if (man) {
        // Diagonal men step forwards only; orthogonal men forwards or sideways.
        const int step = geometry_.rowStep[d];
        if (rules_.orthogonal ? step == -ForwardStep() : step != ForwardStep()) continue;
        const int next = ray[0];
        if (next < 0) continue;
        if (board_[next] == 0) {
          found += EmitMove(from, next);
        } else if (rules_.orthogonal && board_[next] * player_ > 0 && ray[1] >= 0 &&
                   board_[ray[1]] == 0) {
          found += EmitMove(from, ray[1]);  // hop over an own piece, nothing captured
        }
      } else if (!rules_.flyingKings) {
        if (ray[0] >= 0 && board_[ray[0]] == 0) found += EmitMove(from, ray[0]);
      } else {
        for (int k = 0; k < kMaxRay && ray[k] >= 0; ++k) {
          const int code = board_[ray[k]];
          if (code == 0) {
            found += EmitMove(from, ray[k]);
          } else if (!(rules_.orthogonal && k == 0 && code * player_ > 0)) {
            break;  // only the orthogonal king passes an own piece right next to it
          }
        }
      }
    }
    return found;
  }

  // Emits the complete capture sequences of the piece standing on `from`, whose path
  // so far holds `pathLength` landings; returns their number.
  int Captures(int from, int piece, int pathLength) {
    if (pathLength >= kMaxCapturePath) return 0;
    int found = 0;
    const bool man = IsMan(piece);
    for (int d = 0; d < 4; ++d) {
      const int* ray = geometry_.ray[from][d];
      if (man || !rules_.flyingKings) {
        if (man && !rules_.menCaptureBackwards && geometry_.rowStep[d] != ForwardStep()) continue;
        const int over = ray[0];
        const int to = over >= 0 ? ray[1] : -1;
        if (to < 0 || board_[over] * player_ >= 0 || board_[to] != 0) continue;
        if (std::abs(board_[over]) == 3) continue;
        found += Jump(from, over, to, piece, 0, pathLength);
        continue;
      }
      // Flying king: pass empty squares, the first opposing piece is the one to take,
      // and every empty square right behind it is a landing square of its own.
      int k = 0;
      while (k < kMaxRay && ray[k] >= 0 && board_[ray[k]] == 0) ++k;
      if (k >= kMaxRay || ray[k] < 0) continue;
      const int code = board_[ray[k]];
      if (code * player_ > 0 || std::abs(code) == 3) continue;  // own piece or a mark
      const int over = ray[k];
      for (++k; k < kMaxRay && ray[k] >= 0 && board_[ray[k]] == 0; ++k)
        found += Jump(from, over, ray[k], piece, 3 * player_, pathLength);
    }
    return found;
  }

  // One jump: `over` becomes `leftBehind` (0, or a mark for a flying king), then the
  // sequence goes on from `to` unless the jump promoted a man.
  int Jump(int from, int over, int to, int piece, int leftBehind, int pathLength) {
    const int captured = board_[over];
    const int landed = Landed(piece, to);
    board_[from] = 0;
    board_[over] = leftBehind;
    board_[to] = landed;
    path_[pathLength] = to;
    int found = landed == piece ? Captures(to, piece, pathLength + 1) : 0;
    if (found == 0) {
      emit_(static_cast<const int*>(board_), static_cast<const int*>(path_), pathLength + 1);
      found = 1;
    }
    board_[to] = 0;
    board_[over] = captured;
    board_[from] = piece;
    return found;
  }

  const DraughtsRules& rules_;
  const DraughtsGeometry& geometry_;
  int* board_;
  int player_;
  Emit& emit_;
  int path_[kMaxCapturePath];
};

template <class Emit>
int GenerateDraughtsMoves(const DraughtsRules& rules, int* board, int player, Emit&& emit) {
  DraughtsMoveGenerator<std::remove_reference_t<Emit>> generator(rules, board, player, emit);
  return generator.Generate();
}

}  // namespace tavlero
