#include "engine/kind_engine1.h"

#include <algorithm>
#include <memory>

#include "engine/disc_rules.h"

namespace tavlero {

int KindEngine1::GenerateSuccessors() {
  ClearSuccessors();
  int moves[kDiscCells];
  const int count = ListDiscMoves(cells, player, moves);
  for (int i = 0; i < count; ++i) {
    auto node = std::make_unique<KindEngine1>();
    node->CopyPosition(cells);
    PlayDisc(node->cells, moves[i] % kDiscBoardSide, moves[i] / kDiscBoardSide, player);
    AppendSuccessor(std::move(node));
  }
  return count;
}

int KindEngine1::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  bool decided = false;
  const int score = EvaluateDiscs(cells, player < 0 ? -1 : 1, decided);
  return StoreEvaluation(score, decided, terminal);
}

void KindEngine1::SetStartPosition() {
  player = 1;
  evalState = 0;
  std::fill(std::begin(cells), std::end(cells), 0);
  SetDiscStartPosition(cells);
}

}  // namespace tavlero
