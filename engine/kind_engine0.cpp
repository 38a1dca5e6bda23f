#include "engine/kind_engine0.h"

#include "engine/draughts_eval.h"
#include "engine/draughts_successors.h"

namespace tavlero {

namespace {
// Positions with this many pieces or fewer are looked up in the endgame table.
constexpr int kEndgamePieces = 3;
}  // namespace

KindEngine0::KindEngine0() = default;

int KindEngine0::GenerateSuccessors() {
  return GenerateDraughtsSuccessors(*this, kShortKingRules, [this] {
    auto node = std::make_unique<KindEngine0>();
    node->endgames_ = endgames_;
    return node;
  });
}

int KindEngine0::Evaluate(bool& terminal) {
  if (CachedEvaluation(terminal)) return value;
  const DraughtsMaterial material = DiagonalMaterial(cells);
  DraughtsVerdict verdict = MaterialVerdict(material, player);
  if (!verdict.decided && endgames_ &&
      material.plusPieces + material.minusPieces <= kEndgamePieces) {
    int stored = 0;
    if (endgames_->Find(MakeEndgameKey(player, cells), stored)) verdict = {stored, true};
  }
  return StoreEvaluation(DepthDiscount(verdict.score, depth), verdict.decided, terminal);
}

void KindEngine0::SetStartPosition() {
  player = 1;
  evalState = 0;
  PlaceDiagonalStart(cells);
}

bool KindEngine0::LoadEndgameTable(const std::string& fileName) {
  if (!endgames_) endgames_ = std::make_shared<EndgameTable>();
  return endgames_->Load(fileName);
}

const EndgameTable& KindEngine0::Endgames() const {
  static const EndgameTable kEmpty;
  return endgames_ ? *endgames_ : kEmpty;
}

}  // namespace tavlero
