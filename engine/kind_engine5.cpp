#include "engine/kind_engine5.h"

#include "engine/draughts_eval.h"
#include "engine/draughts_successors.h"

namespace tavlero {

KindEngine5::KindEngine5() = default;

int KindEngine5::GenerateSuccessors() {
  return GenerateDraughtsSuccessors(*this, kShortKingRules, [] { return std::make_unique<KindEngine5>(); });
}

int KindEngine5::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  // The goal is inverted: a side that loses all its pieces has won, so the score
  // of the ordinary game is negated (and the negated score is what gets cached).
  const DraughtsVerdict verdict = MaterialVerdict(DiagonalMaterial(cells), player);
  return StoreEvaluation(-DepthDiscount(verdict.score, depth), verdict.decided, terminal);
}

void KindEngine5::SetStartPosition() {
  player = 1;
  evalState = 0;
  PlaceDiagonalStart(cells);
}

}  // namespace tavlero
