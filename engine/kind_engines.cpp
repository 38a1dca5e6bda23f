#include "engine/kind_engines.h"

#include <algorithm>

#include "engine/kind_engine0.h"
#include "engine/kind_engine1.h"
#include "engine/kind_engine2.h"
#include "engine/kind_engine3.h"
#include "engine/kind_engine4.h"
#include "engine/kind_engine5.h"
#include "engine/kind_engine6.h"
#include "engine/kind_engine7.h"

namespace tavlero {

std::unique_ptr<SearchEngine> CreateKindEngine(int kind) {
  switch (kind) {
    case 0: return std::make_unique<KindEngine0>();
    case 1: return std::make_unique<KindEngine1>();
    case 2: return std::make_unique<KindEngine2>();
    case 3: return std::make_unique<KindEngine3>();
    case 4: return std::make_unique<KindEngine4>();
    case 5: return std::make_unique<KindEngine5>();
    case 6: return std::make_unique<KindEngine6>();
    case 7: return std::make_unique<KindEngine7>();
    default: return nullptr;
  }
}

std::unique_ptr<SearchEngine> StartKindEngine(int kind) {
  std::unique_ptr<SearchEngine> engine = CreateKindEngine(kind);
  if (!engine) return nullptr;
  engine->SetBoardSize(KindBoardSize(kind));
  engine->ClearSuccessors();
  engine->evalState = 0;
  engine->SetStartPosition();
  return engine;
}

int KindBoardSize(int kind) {
  static constexpr int kSizes[kBoardKindCount] = {8, 8, 14, 8, 11, 8, 8, 8};
  return kind >= 0 && kind < kBoardKindCount ? kSizes[kind] : 0;
}

int SearchDepth(int kind, int level) {
  static constexpr int kDepths[kBoardKindCount][3] = {
      {4, 6, 8}, {2, 4, 6}, {2, 2, 2}, {4, 6, 8}, {1, 1, 1}, {4, 6, 8}, {4, 6, 8}, {2, 4, 4}};
  if (kind < 0 || kind >= kBoardKindCount) return 0;
  return kDepths[kind][std::clamp(level, 0, 2)];
}

}  // namespace tavlero
