// The computer's move for the board kinds 0 to 7 by a fast search that chooses
// exactly as SearchEngine::Think does: the same root scores and the same ties, hence
// the same move from the same random number. It searches one position that moves are
// made on and taken back, with a transposition table and move ordering, instead of
// building an engine object per node. SearchEngine::Think stays the reference.
#pragma once

#include <vector>

#include "engine/search_engine.h"

namespace tavlero {

// Think's contract on the engine of a kind 0 ... 7: plays the computer's move in the
// engine's own position (the chosen successor's cells, capture marks included, become
// the position; `player` is flipped; `path` holds the move's landing cells) and
// returns its score; without a legal move returns -kWinScore and changes nothing but
// what generating the moves changes (a flying king's marks are cleared). Draws the
// same random number as Think, and only when Think does. `successors` is left empty,
// as Think leaves it. Engines of other classes, and positions outside the fast
// search's range (cell codes no rule knows, a depth beyond its stack), go to Think.
int FastThink(SearchEngine& engine, int maxDepth);

// The root part of the fast search, as SearchEngine::ScoreRootMoves computes it:
// every root move's exact score in generation order and the indices of the best
// (highest for an even depth, lowest for an odd one). Creates no successors; clears
// a flying king's marks in the engine's cells as generating moves does. Returns the
// number of root moves.
int FastScoreRootMoves(SearchEngine& engine, int maxDepth, std::vector<int>& scores, std::vector<int>& ties);

// The number of move sequences of `plies` moves from the engine's position, as
// Perft(SearchEngine&, int) counts them, on the fast search's move generation.
long long FastPerft(SearchEngine& engine, int plies);

// What the last fast search on this thread did.
struct FastSearchReport {
  long long nodes = 0;         // positions searched below the root
  bool usedReference = false;  // handed over to SearchEngine::Think
};
FastSearchReport LastFastSearchReport();

}  // namespace tavlero
