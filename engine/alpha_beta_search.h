// The fast game-tree search: negamax alpha-beta on one position that moves are made
// on and taken back, with move lists on a stack, a transposition table and move
// ordering. It computes the same numbers as SearchEngine::AlphaBeta (the same
// evaluation, the same depth limit, depth - kWinScore for a side without a move), so
// a root move searched with a window that holds its value gets that exact value.
//
// A Position supplies:
//   using Move;                          a move, filled in by Generate
//   int Player() const;                  side to move, +1 or -1
//   int Evaluate(int depth, bool& terminal);   the kind's evaluation at that node depth
//   int Generate(Move* out, int room, bool rootOrder);   the legal moves, or -1 when more
//                                        than `room`; with rootOrder in the kind engine's order
//   void Make(Move&); void Unmake(const Move&);
//   bool LeafValue(const Move&, int depth, int& value) const;   Evaluate after the move
//                                        without making it, or false to have it made
//   std::uint64_t Hash() const;          position and side to move
//   int OrderKey(const Move&) const;     larger is tried first
//   std::uint32_t MoveId(const Move&) const;   identity for the killer moves
//   int HistoryIndex(const Move&) const; below kHistorySize
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "engine/search_engine.h"
#include "engine/transposition_table.h"
#include "engine/zobrist_keys.h"

namespace tavlero {

// Everything a search keeps per ply, allocated once and reused by every search.
template <class Move>
struct SearchScratch {
  static constexpr int kCapacity = 1 << 14;
  static constexpr int kHistorySize = 64 * 64;
  static constexpr std::uint32_t kNoKiller = 0xFFFFFFFFu;

  void NewSearch() {
    for (auto& ply : killers) ply[0] = ply[1] = kNoKiller;
    for (auto& side : history) std::fill(std::begin(side), std::end(side), 0);
  }

  Move moves[kCapacity];
  int keys[kCapacity];
  std::uint16_t index[kCapacity];
  std::uint32_t killers[kMaxSearchPly + 1][2];
  int history[2][kHistorySize];
};

// The outcome of searching the root moves.
struct RootScores {
  int count = 0;              // root moves (0: none, nothing searched)
  int best = 0;               // the best score (highest, or lowest for an odd depth)
  std::vector<int> scores;    // every move's exact score (only when all were asked for)
  std::vector<int> ties;      // indices of the moves with the best score, ascending
};

template <class Position>
class AlphaBetaSearch {
 public:
  // Moves picked by their ordering keys before the rest follow in generation order.
  static constexpr int kPickedMoves = 4;

  using Move = typename Position::Move;

  AlphaBetaSearch(Position& position, SearchScratch<Move>& scratch, TranspositionTable& table, int rootDepth,
                  int maxDepth)
      : pos_(position), scratch_(scratch), table_(table), rootDepth_(rootDepth), maxDepth_(maxDepth) {
    scratch_.NewSearch();
    table_.NewSearch();
  }

  // Generates the root moves (kept at the bottom of the stack, in generation order).
  // Returns their number, or -1 when the stack cannot hold them.
  int GenerateRootMoves() {
    rootCount_ = pos_.Generate(scratch_.moves, SearchScratch<Move>::kCapacity, true);
    top_ = rootCount_ < 0 ? 0 : rootCount_;
    if (rootCount_ < 0) overflowed_ = true;
    return rootCount_;
  }

  // The exact score of every root move, as Think computes them: each is searched with
  // the full window, and a lone move is scored by its evaluation alone.
  void ScoreEveryRootMove(RootScores& out) {
    out.count = rootCount_;
    out.scores.assign(rootCount_ > 0 ? rootCount_ : 0, 0);
    out.ties.clear();
    if (rootCount_ <= 0) return;
    for (int i = 0; i < rootCount_ && !overflowed_; ++i) {
      out.scores[i] = rootCount_ == 1 ? LoneMoveScore() : RootMoveScore(i, -kSearchWindow, kSearchWindow);
      if (i == 0 || Better(out.scores[i], out.best)) {
        out.best = out.scores[i];
        out.ties.assign(1, i);
      } else if (out.scores[i] == out.best) {
        out.ties.push_back(i);
      }
    }
  }

  // The best score and the moves that reach it, without the exact score of the
  // others. The moves are tried most promising first; after the first, each is
  // searched with a window just around the best score so far, which tells worse,
  // equal and better apart, and only a better move is searched again for its exact
  // score. The ties come out in generation order.
  void ScoreBestRootMoves(RootScores& out) {
    out.count = rootCount_;
    out.scores.clear();
    out.ties.clear();
    if (rootCount_ <= 0) return;
    if (rootCount_ == 1) {
      out.best = LoneMoveScore();
      out.ties.push_back(0);
      return;
    }
    int* keys = scratch_.keys;
    std::uint16_t* order = scratch_.index;
    for (int i = 0; i < rootCount_; ++i) order[i] = static_cast<std::uint16_t>(i);
    if (rootDepth_ + 1 < maxDepth_) {
      // Most promising: the best evaluation right after the move. (When the moves
      // lead straight to leaves, that evaluation is the whole search.)
      for (int i = 0; i < rootCount_; ++i) {
        bool terminal = false;
        pos_.Make(scratch_.moves[i]);
        keys[i] = -pos_.Evaluate(rootDepth_ + 1, terminal);
        pos_.Unmake(scratch_.moves[i]);
      }
      std::sort(order, order + rootCount_, [keys](std::uint16_t a, std::uint16_t b) {
        return keys[a] != keys[b] ? keys[a] > keys[b] : a < b;
      });
    }
    const bool highest = KeepsHighest();
    for (int k = 0; k < rootCount_ && !overflowed_; ++k) {
      const int i = order[k];
      if (k == 0) {
        out.best = RootMoveScore(i, -kSearchWindow, kSearchWindow);
        out.ties.push_back(i);
        continue;
      }
      const int v = RootMoveScore(i, out.best - 1, out.best + 1);
      if (v == out.best) {
        out.ties.push_back(i);
      } else if (highest ? v > out.best : v < out.best) {
        out.best = highest ? RootMoveScore(i, out.best, kSearchWindow) : RootMoveScore(i, -kSearchWindow, out.best);
        out.ties.assign(1, i);
      }
    }
    std::sort(out.ties.begin(), out.ties.end());
  }

  // Whether root move i's position is decided and whether the search expanded it (a
  // lone move and a decided or depth-limited position are not).
  bool RootChildExpanded(int i) {
    if (rootCount_ <= 1) return false;
    Move& move = scratch_.moves[i];
    pos_.Make(move);
    bool terminal = false;
    pos_.Evaluate(rootDepth_ + 1, terminal);
    pos_.Unmake(move);
    return !terminal && rootDepth_ + 1 < maxDepth_;
  }

  const Move& RootMove(int i) const { return scratch_.moves[i]; }
  bool Overflowed() const { return overflowed_; }
  long long Nodes() const { return nodes_; }

 private:
  bool KeepsHighest() const { return maxDepth_ % 2 == 0; }
  bool Better(int a, int b) const { return KeepsHighest() ? a > b : a < b; }

  int LoneMoveScore() {
    Move& move = scratch_.moves[0];
    pos_.Make(move);
    bool terminal = false;
    const int v = -pos_.Evaluate(rootDepth_ + 1, terminal);
    pos_.Unmake(move);
    return v;
  }

  // Root move i's score (for the side to move at the root) within (alpha, beta).
  int RootMoveScore(int i, int alpha, int beta) {
    Move& move = scratch_.moves[i];
    pos_.Make(move);
    const int v = -Search(1, -beta, -alpha);
    pos_.Unmake(move);
    return v;
  }

  int Search(int ply, int alpha, int beta);
  int BestLeaf(Move* moves, int count, int hashMove, int leafDepth, int alpha, int beta, int& bestIndex);
  int BestChild(int ply, Move* moves, int count, int hashMove, int alpha, int beta, int& bestIndex);

  Position& pos_;
  SearchScratch<Move>& scratch_;
  TranspositionTable& table_;
  const int rootDepth_;
  const int maxDepth_;
  int rootCount_ = 0;
  int top_ = 0;
  bool overflowed_ = false;
  long long nodes_ = 0;
};

// Fail-soft negamax: the result is exact when it lies strictly inside (alpha, beta),
// an upper bound when at most alpha, a lower bound when at least beta.
template <class Position>
int AlphaBetaSearch<Position>::Search(int ply, int alpha, int beta) {
  ++nodes_;
  const int depth = rootDepth_ + ply;
  bool terminal = false;
  const int value = pos_.Evaluate(depth, terminal);
  if (terminal || depth >= maxDepth_) return value;
  if (ply >= kMaxSearchPly) {
    overflowed_ = true;
    return 0;
  }

  const std::uint64_t key = pos_.Hash() ^ kZobrist.ply[ply];
  int hashMove = -1;
  if (const TableEntry* entry = table_.Probe(key)) {
    const int stored = entry->score;
    if (entry->bound == ScoreBound::kExact) return stored;
    if (entry->bound == ScoreBound::kLower && stored >= beta) return stored;
    if (entry->bound == ScoreBound::kUpper && stored <= alpha) return stored;
    if (entry->bestMove != TranspositionTable::kNoMove) hashMove = entry->bestMove;
  }

  Move* moves = scratch_.moves + top_;
  const int count = pos_.Generate(moves, SearchScratch<Move>::kCapacity - top_, false);
  if (count < 0) {
    overflowed_ = true;
    return 0;
  }
  if (count == 0) return depth - kWinScore;  // no move: the side to move has lost

  const int alphaIn = alpha;
  int best = INT_MIN;
  int bestIndex = 0;
  if (depth + 1 >= maxDepth_) {
    best = BestLeaf(moves, count, hashMove, depth + 1, alpha, beta, bestIndex);
  } else {
    best = BestChild(ply, moves, count, hashMove, alpha, beta, bestIndex);
    if (overflowed_) return 0;
  }
  const ScoreBound bound = best <= alphaIn ? ScoreBound::kUpper
                           : best >= beta   ? ScoreBound::kLower
                                            : ScoreBound::kExact;
  table_.Store(key, best, bound, bestIndex);
  return best;
}

// A node whose moves all lead to leaves: each move's value is the evaluation after
// it, taken without making the move where the position allows. The stored best move
// comes first.
template <class Position>
int AlphaBetaSearch<Position>::BestLeaf(Move* moves, int count, int hashMove, int leafDepth, int alpha, int beta,
                                        int& bestIndex) {
  nodes_ += count;
  int best = INT_MIN;
  const bool hashFirst = hashMove >= 0 && hashMove < count;
  for (int k = 0; k < count; ++k) {
    const int i = !hashFirst ? k : k == 0 ? hashMove : k <= hashMove ? k - 1 : k;
    int v = 0;
    if (!pos_.LeafValue(moves[i], leafDepth, v)) {
      bool terminal = false;
      pos_.Make(moves[i]);
      v = pos_.Evaluate(leafDepth, terminal);
      pos_.Unmake(moves[i]);
    }
    v = -v;
    if (v > best) {
      best = v;
      bestIndex = i;
      if (v > alpha && (alpha = v) >= beta) break;
    }
  }
  return best;
}

// A node searched move by move: the stored best move, the killer moves, then by the
// position's ordering key and the history of cut-offs.
template <class Position>
int AlphaBetaSearch<Position>::BestChild(int ply, Move* moves, int count, int hashMove, int alpha, int beta,
                                         int& bestIndex) {
  const int depth = rootDepth_ + ply;
  int* keys = scratch_.keys + top_;
  std::uint16_t* index = scratch_.index + top_;
  const int side = pos_.Player() > 0 ? 0 : 1;
  const std::uint32_t* killers = scratch_.killers[ply];
  int* history = scratch_.history[side];
  for (int i = 0; i < count; ++i) {
    index[i] = static_cast<std::uint16_t>(i);
    const std::uint32_t id = pos_.MoveId(moves[i]);
    if (i == hashMove) keys[i] = INT_MAX;
    else if (id == killers[0]) keys[i] = INT_MAX - 1;
    else if (id == killers[1]) keys[i] = INT_MAX - 2;
    else keys[i] = pos_.OrderKey(moves[i]) + history[pos_.HistoryIndex(moves[i])];
  }
  top_ += count;

  int best = INT_MIN;
  for (int k = 0; k < count; ++k) {
    // The first few moves are picked by their keys; a node that has not been cut
    // off by then is likely to need every move, which then come as generated.
    if (k < kPickedMoves) {
      int pick = k;
      for (int j = k + 1; j < count; ++j)
        if (keys[j] > keys[pick]) pick = j;
      if (pick != k) {
        std::swap(keys[k], keys[pick]);
        std::swap(index[k], index[pick]);
      }
    }
    Move& move = moves[index[k]];
    pos_.Make(move);
    const int v = -Search(ply + 1, -beta, -alpha);
    pos_.Unmake(move);
    if (overflowed_) break;
    if (v > best) {
      best = v;
      bestIndex = index[k];
      if (v > alpha) {
        alpha = v;
        if (alpha >= beta) {
          const std::uint32_t id = pos_.MoveId(move);
          if (id != scratch_.killers[ply][0]) {
            scratch_.killers[ply][1] = scratch_.killers[ply][0];
            scratch_.killers[ply][0] = id;
          }
          const int remaining = maxDepth_ - depth;
          int& h = history[pos_.HistoryIndex(move)];
          h = std::min(h + remaining * remaining, 1 << 20);
          break;
        }
      }
    }
  }
  top_ -= count;
  return best;
}

}  // namespace tavlero
