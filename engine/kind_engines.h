// The engine classes of the board kinds 0 to 7, created by kind number, with the
// board size and the search depths the game uses for each kind.
#pragma once

#include <memory>

#include "engine/search_engine.h"

namespace tavlero {

constexpr int kBoardKindCount = 8;

// A new engine of the kind's class (not yet sized or reset), or null for a kind
// without a search engine (8, the dice game) or out of range.
std::unique_ptr<SearchEngine> CreateKindEngine(int kind);

// A kind's engine as a new game starts it: created, sized for the kind and set to
// the start position with side +1 to move. Null where CreateKindEngine gives null.
std::unique_ptr<SearchEngine> StartKindEngine(int kind);

// The board size the game sets on a kind's engine: 8, 8, 14, 8, 11, 8, 8, 8; 0 for
// other kinds.
int KindBoardSize(int kind);

// The depth passed to Think for a kind at difficulty level 0, 1 or 2 (a level out of
// range is clamped); 0 for other kinds.
int SearchDepth(int kind, int level);

// The depth of the computer's opening move of a new or loaded game, any level.
constexpr int kOpeningSearchDepth = 4;

}  // namespace tavlero
