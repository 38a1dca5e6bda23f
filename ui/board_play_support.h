// Small pieces shared by the plays of the board kinds 0 to 7.
#pragma once

#include "game/cell_codes.h"

namespace tavlero {

class OGameScreen;
class SearchEngine;

// A piece of `side` that stands on the board (not the mark of a jumped piece).
constexpr bool PieceOf(int code, int side) { return BelongsTo(code, side) && !IsCaptureMark(code); }

// Pieces of side +1 and side -1 among the cells that carry the current kind's position.
void CountBoardPieces(const OGameScreen& game, int& first, int& second);

// A board click that hits no cell: silent the very first time, refused afterwards.
// Marks that a board click has been seen either way.
void NoteBoardClick(OGameScreen& game, bool hit);

// With one human the board takes the human's clicks only on the human's turn.
bool HumansTurn(const OGameScreen& game, const SearchEngine& engine);

// A stone-placing kind's click: on an empty cell under the point, on the human's turn,
// a stone of the side to move goes down, the side turns, the position is stored and
// drawn. Refused (effect 7) otherwise. True when the stone was placed.
bool PlaceHumanStone(OGameScreen& game, int x, int y);

// The kind's end rules applied to the engine's position; ends the game when decided.
bool EndIfDecided(OGameScreen& game);

}  // namespace tavlero
