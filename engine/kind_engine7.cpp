#include "engine/kind_engine7.h"

#include "engine/draughts_eval.h"
#include "engine/draughts_successors.h"

namespace tavlero {

// The whole board is in use from the start, so even a node that never generated its
// own successors reports all 64 cells.
KindEngine7::KindEngine7() { cellsInUse = kFullCellCount; }

int KindEngine7::GenerateSuccessors() {
  // Every routine of this kind walks all 64 squares whatever the node's cell count,
  // so a fresh successor (still at the constructor's 32) is seen whole.
  cellsInUse = kFullCellCount;
  return GenerateDraughtsSuccessors(*this, kOrthogonalRules, [] { return std::make_unique<KindEngine7>(); });
}

int KindEngine7::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  const DraughtsVerdict verdict = MaterialVerdict(OrthogonalMaterial(cells), player);
  return StoreEvaluation(DepthDiscount(verdict.score, depth), verdict.decided, terminal);
}

void KindEngine7::SetStartPosition() {
  player = 1;
  evalState = 0;
  cellsInUse = kFullCellCount;
  PlaceOrthogonalStart(cells);
}

}  // namespace tavlero
