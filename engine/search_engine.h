// SearchEngine: the position of a board game and, at the same time, one node of the
// computer's game-tree search. Every node of the tree is a complete engine object of
// the same concrete kind; the kind classes (KindEngine0 ... KindEngine7) supply the
// move rules, the evaluation and the start position, the base supplies the search.
//
// The search is a depth-limited negamax alpha-beta, fail-hard, without transposition
// table, move ordering or quiescence: successors are searched in generation order.
// It is the reference for engine/fast_search.h, which chooses the same moves without
// an object per node.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tavlero {

class OSettingsTree;

// 14 x 14, the largest board of any kind.
constexpr int kMaxCells = 196;
// A decided game, from the point of view of the side to move.
constexpr int kWinScore = 1000000000;
// The root window: wider than any score.
constexpr int kSearchWindow = 1215752192;

class SearchEngine {
 public:
  SearchEngine();
  // Releases the successor tree too, so dropping a node can never leak its subtree.
  virtual ~SearchEngine();
  SearchEngine(const SearchEngine&) = delete;
  SearchEngine& operator=(const SearchEngine&) = delete;

  // Plays the computer's move in this engine's own position: searches every
  // successor to maxDepth, picks the best (at random among equals), makes it the
  // position, flips the side to move and returns the chosen move's score. Without a
  // legal move returns -kWinScore and changes nothing.
  virtual int Think(int maxDepth);
  // Replaces `successors` with one node per legal move of `player`; returns their number.
  virtual int GenerateSuccessors();
  // Score of the position for `player`; sets `terminal` when the game is decided.
  // Kind implementations answer from the cache while `evalState` is set.
  virtual int Evaluate(bool& terminal);
  // Resets to the kind's start position with side +1 to move.
  virtual void SetStartPosition();

  void SetBoardSize(int n);
  // Copies all kMaxCells cells and forgets the cached evaluation.
  void CopyPosition(const int* source);
  // Releases every successor (and their subtrees), in order.
  void ClearSuccessors();
  // Moves the leaves of `node`'s successor tree, in order, into `leaves` (the node
  // itself when it has no successors); intermediate nodes are released.
  static void CollectLeaves(std::unique_ptr<SearchEngine> node,
                            std::vector<std::unique_ptr<SearchEngine>>& leaves);
  // Appends a node that a generator has filled in (cells and path); gives it this
  // node's depth + 1, the other side to move and no cached evaluation.
  void AppendSuccessor(std::unique_ptr<SearchEngine> node);
  // The root part of Think: generates the successors and scores each of them as Think
  // does (one successor is scored by its evaluation, without search), keeping the
  // successors in place. `ties` gets the indices of the best-scored moves (highest
  // for an even depth, lowest for an odd one). Returns the number of successors.
  int ScoreRootMoves(int maxDepth, std::vector<int>& scores, std::vector<int>& ties);
  // Negamax search of this node; see search_engine.cpp.
  int AlphaBeta(int alpha, int beta, int maxDepth);

  // State keys under `prefix`: .Position .bSize .NumK .MaxNumK .Depth .Player
  void LoadState(OSettingsTree& tree, const std::string& prefix);
  void SaveState(OSettingsTree& tree, const std::string& prefix) const;

  int boardSize;
  int cellsInUse;
  int totalCells;
  // Nodes of the same concrete class as this one, in generation order.
  std::vector<std::unique_ptr<SearchEngine>> successors;
  int cells[kMaxCells];
  int depth;
  int player;
  // 0 not evaluated, 1 evaluated and open, 2 evaluated and decided.
  int evalState;
  int value;
  // Landing cells of a capture sequence, first jump first; empty for a simple move.
  std::vector<int> path;

 protected:
  // True (with `terminal` set) when `value` already holds this position's evaluation.
  bool CachedEvaluation(bool& terminal) const;
  // Stores `score` as the cached evaluation and returns it.
  int StoreEvaluation(int score, bool decided, bool& terminal);
};

// Number of move sequences of `plies` moves from the node's position (leaf count of
// successor generation).
long long Perft(SearchEngine& node, int plies);

// The depth discount: a decided game found nearer the root scores higher, and small
// scores within +-depth count as 0.
constexpr int DepthDiscount(int score, int depth) {
  if (score > depth) return score - depth;
  if (score < -depth) return score + depth;
  return 0;
}

}  // namespace tavlero
