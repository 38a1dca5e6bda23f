#include "engine/kind_engine4.h"

#include <algorithm>
#include <memory>

#include "engine/hex_connection.h"

namespace tavlero {

int KindEngine4::GenerateSuccessors() {
  ClearSuccessors();
  int moves[kMaxCells];
  const int count = ListHexMoves(cells, boardSize, moves);
  for (int i = 0; i < count; ++i) {
    auto node = std::make_unique<KindEngine4>();
    node->SetBoardSize(boardSize);
    node->CopyPosition(cells);
    node->cells[moves[i]] = player;
    AppendSuccessor(std::move(node));
  }
  return count;
}

int KindEngine4::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  bool decided = false;
  const int score = EvaluateHex(cells, boardSize, player, std::max(depth, 0), decided);
  return StoreEvaluation(score, decided, terminal);
}

void KindEngine4::SetStartPosition() {
  player = 1;
  evalState = 0;
  std::fill(std::begin(cells), std::end(cells), 0);
}

}  // namespace tavlero
