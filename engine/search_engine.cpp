#include "engine/search_engine.h"

#include <algorithm>

#include "platform/random.h"

namespace tavlero {

SearchEngine::SearchEngine()
    : boardSize(8), cellsInUse(32), totalCells(64), depth(0), player(1), evalState(0), value(0) {
  // The owner always loads a position before use; zeroed cells only keep a careless
  // caller from reading garbage.
  std::fill(std::begin(cells), std::end(cells), 0);
}

SearchEngine::~SearchEngine() { ClearSuccessors(); }

int SearchEngine::GenerateSuccessors() {
  ClearSuccessors();
  return 0;
}

int SearchEngine::Evaluate(bool& terminal) {
  terminal = false;
  return 0;
}

void SearchEngine::SetStartPosition() {}

void SearchEngine::SetBoardSize(int n) {
  boardSize = n;
  cellsInUse = (n * n + 1) / 2;
  totalCells = n * n;
}

void SearchEngine::CopyPosition(const int* source) {
  std::copy(source, source + kMaxCells, cells);
  evalState = 0;
}

void SearchEngine::ClearSuccessors() {
  for (auto& node : successors) {
    node->ClearSuccessors();
    node.reset();
  }
  successors.clear();
}

void SearchEngine::CollectLeaves(std::unique_ptr<SearchEngine> node,
                                 std::vector<std::unique_ptr<SearchEngine>>& leaves) {
  if (node->successors.empty()) {
    leaves.push_back(std::move(node));
    return;
  }
  for (auto& child : node->successors) CollectLeaves(std::move(child), leaves);
  node->successors.clear();
}

bool SearchEngine::CachedEvaluation(bool& terminal) const {
  if (evalState == 0) return false;
  terminal = evalState == 2;
  return true;
}

int SearchEngine::StoreEvaluation(int score, bool decided, bool& terminal) {
  value = score;
  evalState = decided ? 2 : 1;
  terminal = decided;
  return score;
}

void SearchEngine::AppendSuccessor(std::unique_ptr<SearchEngine> node) {
  node->depth = depth + 1;
  node->player = -player;
  node->evalState = 0;
  successors.push_back(std::move(node));
}

int SearchEngine::AlphaBeta(int alpha, int beta, int maxDepth) {
  bool terminal = false;
  value = Evaluate(terminal);
  if (terminal || depth >= maxDepth) return value;
  if (GenerateSuccessors() == 0) return depth - kWinScore;  // no move: the side to move has lost
  int best = alpha;
  for (auto& node : successors) {
    const int v = -node->AlphaBeta(-beta, -best, maxDepth);
    if (v > best) best = v;
    if (best >= beta) break;
  }
  ClearSuccessors();
  return best;
}

int SearchEngine::ScoreRootMoves(int maxDepth, std::vector<int>& scores, std::vector<int>& ties) {
  scores.clear();
  ties.clear();
  const int count = GenerateSuccessors();
  if (count == 0) return 0;
  if (count == 1) {
    bool terminal = false;
    scores.push_back(-successors[0]->Evaluate(terminal));
    ties.push_back(0);
    return 1;
  }
  // Every root move gets the full window, so equal scores are exact ties. Only an odd
  // depth (the one-ply search of the connection game) keeps the lowest.
  const bool keepHighest = maxDepth % 2 == 0;
  int best = 0;
  for (int i = 0; i < count; ++i) {
    const int s = -successors[i]->AlphaBeta(-kSearchWindow, kSearchWindow, maxDepth);
    scores.push_back(s);
    if (ties.empty() || (keepHighest ? s > best : s < best)) {
      best = s;
      ties.assign(1, i);
    } else if (s == best) {
      ties.push_back(i);
    }
  }
  return count;
}

int SearchEngine::Think(int maxDepth) {
  std::vector<int> scores, ties;
  const int count = ScoreRootMoves(maxDepth, scores, ties);
  if (count == 0) return -kWinScore;
  // A single move is played without drawing a random number.
  const int chosen = count == 1 ? 0 : ties[PickBelow(Rand(), static_cast<int>(ties.size()))];

  SearchEngine& move = *successors[chosen];
  CopyPosition(move.cells);
  path = move.path;
  ClearSuccessors();
  player = -player;
  return scores[chosen];
}

long long Perft(SearchEngine& node, int plies) {
  if (plies <= 0) return 1;
  const int count = node.GenerateSuccessors();
  long long leaves = count;
  if (plies > 1) {
    leaves = 0;
    for (auto& child : node.successors) leaves += Perft(*child, plies - 1);
  }
  node.ClearSuccessors();
  return leaves;
}

}  // namespace tavlero
