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

int SearchEngine::Think(int maxDepth) {
  const int count = GenerateSuccessors();
  if (count == 0) return -kWinScore;

  int chosen = 0;
  int chosenScore = 0;
  if (count == 1) {
    bool terminal = false;
    chosenScore = -successors[0]->Evaluate(terminal);
  } else {
    // Every root move gets the full window, so equal scores are exact ties.
    // Only an odd depth (the one-ply search of the connection game) keeps the lowest.
    const bool keepHighest = maxDepth % 2 == 0;
    std::vector<int> ties;
    for (int i = 0; i < count; ++i) {
      const int s = -successors[i]->AlphaBeta(-kSearchWindow, kSearchWindow, maxDepth);
      const bool better = ties.empty() || (keepHighest ? s > chosenScore : s < chosenScore);
      if (better) {
        chosenScore = s;
        ties.assign(1, i);
      } else if (s == chosenScore) {
        ties.push_back(i);
      }
    }
    chosen = ties[PickBelow(Rand(), static_cast<int>(ties.size()))];
  }

  SearchEngine& move = *successors[chosen];
  CopyPosition(move.cells);
  path = move.path;
  ClearSuccessors();
  player = -player;
  return chosenScore;
}

}  // namespace tavlero
