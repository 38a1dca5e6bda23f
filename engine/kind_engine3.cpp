#include "engine/kind_engine3.h"

#include "engine/draughts_eval.h"
#include "engine/draughts_successors.h"

namespace tavlero {

KindEngine3::KindEngine3() = default;

int KindEngine3::GenerateSuccessors() {
  return GenerateDraughtsSuccessors(*this, kFlyingKingRules, [] { return std::make_unique<KindEngine3>(); });
}

int KindEngine3::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  const DraughtsVerdict verdict = MaterialVerdict(DiagonalMaterial(cells), player);
  return StoreEvaluation(DepthDiscount(verdict.score, depth), verdict.decided, terminal);
}

void KindEngine3::SetStartPosition() {
  player = 1;
  evalState = 0;
  PlaceDiagonalStart(cells);
}

}  // namespace tavlero
