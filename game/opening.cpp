#include "game/opening.h"

#include "engine/fast_search.h"
#include "engine/kind_engines.h"
#include "engine/search_engine.h"

namespace tavlero {

void PlaceCentreStone(SearchEngine& engine, int side) {
  const int n = engine.boardSize;
  engine.cells[(n / 2) * n + n / 2] = side;
}

bool ApplyBoardOpening(int kind, SearchEngine& engine, bool computerFirst, bool twoPlayers) {
  if (computerFirst && kind == 2) {
    PlaceCentreStone(engine, 1);
    engine.player = -1;
    return true;
  }
  if (computerFirst && !twoPlayers) {
    if (kind == 4) {
      PlaceCentreStone(engine, 1);
      engine.player = -engine.player;
      return true;
    }
    engine.depth = 0;
    FastThink(engine, kOpeningSearchDepth);
    engine.ClearSuccessors();
    return true;
  }
  if (!computerFirst) engine.player = -1;
  return false;
}

}  // namespace tavlero
