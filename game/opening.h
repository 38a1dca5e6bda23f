// How a board game opens: who moves first and the computer's first move. The game
// screen, tavlero-tool and the benchmarks all start their games through here.
#pragma once

namespace tavlero {

class SearchEngine;

// Puts a stone of `side` on the centre cell ((n / 2, n / 2): column 7, row 7 of the
// five-in-a-row board, column 5, row 5 of the rhombus).
void PlaceCentreStone(SearchEngine& engine, int side);

// Applies the opening to a game of `kind` (0 ... 7) just reset to its start position
// (side +1 to move):
// - computer first with one human: the computer moves at once (a search of the
//   opening depth; on the rhombus a stone on the centre cell);
// - five-in-a-row with computer first, whoever plays: a stone of side +1 on the
//   centre point and side -1 to move;
// - otherwise side -1 (the human, or the second player) moves first.
// Returns true when a move was made, which the game stores as position 1.
bool ApplyBoardOpening(int kind, SearchEngine& engine, bool computerFirst, bool twoPlayers);

}  // namespace tavlero
