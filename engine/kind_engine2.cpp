#include "engine/kind_engine2.h"

#include <algorithm>
#include <memory>

#include "engine/gomoku_patterns.h"

namespace tavlero {

int KindEngine2::GenerateSuccessors() {
  ClearSuccessors();
  int moves[kMaxCells];
  const int count = ListOfferedPoints(cells, boardSize, moves);
  for (int i = 0; i < count; ++i) {
    auto node = std::make_unique<KindEngine2>();
    node->SetBoardSize(boardSize);
    node->CopyPosition(cells);
    node->cells[moves[i]] = player;
    AppendSuccessor(std::move(node));
  }
  return count;
}

int KindEngine2::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  bool decided = false;
  const int score = EvaluateGomoku(cells, boardSize, player < 0 ? -1 : 1, std::max(depth, 0), decided);
  return StoreEvaluation(score, decided, terminal);
}

void KindEngine2::SetStartPosition() {
  player = 1;
  evalState = 0;
  std::fill(std::begin(cells), std::end(cells), 0);
}

}  // namespace tavlero
