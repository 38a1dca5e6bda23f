#include "engine/kind_engine6.h"

#include "engine/draughts_eval.h"
#include "engine/draughts_successors.h"

namespace tavlero {

KindEngine6::KindEngine6() = default;

int KindEngine6::GenerateSuccessors() {
  return GenerateDraughtsSuccessors(*this, kFlyingKingRules, [] { return std::make_unique<KindEngine6>(); });
}

int KindEngine6::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  // The goal is inverted: a side that loses all its pieces has won, so the score
  // of the ordinary game is negated (and the negated score is what gets cached).
  const DraughtsVerdict verdict = MaterialVerdict(DiagonalMaterial(cells), player);
  return StoreEvaluation(-DepthDiscount(verdict.score, depth), verdict.decided, terminal);
}

void KindEngine6::SetStartPosition() {
  player = 1;
  evalState = 0;
  PlaceDiagonalStart(cells);
}

}  // namespace tavlero
