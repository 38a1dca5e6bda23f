// What the rules allow between two positions of a game, as the soak checks it: a
// board kind's moves (the kind engine's successors; on the stone boards any empty
// cell; the disc game's passes), and the dice game's steps and whole turns from the
// dice shown. Positions are plain values, so the checks never touch the running
// program's own engines.
#pragma once

#include <string>
#include <vector>

#include "engine/dice_engine.h"
#include "game/dice_rules.h"

namespace tavlero {
class SearchEngine;
}

namespace tavlero::tool {

constexpr int kSoakDiceKind = 8;

// A position as the rules see it: the cells that carry a board kind's position (the
// marks of pieces a flying king jumped read as empty), or the dice game's 24 points;
// and the side to move.
struct SoakPosition {
  int kind = -1;
  std::vector<int> cells;
  int player = 0;
  friend bool operator==(const SoakPosition&, const SoakPosition&) = default;
};

// Cells of a board kind that carry its position (the dark squares, or all of them).
int CarryingCells(int kind, int boardSize);

SoakPosition PositionOf(int kind, const SearchEngine& engine);
SoakPosition PositionOf(const DiceEngine& engine);

// The kind's start position with `player` to move.
SoakPosition StartOf(int kind, int player);
// What the demonstration starts from: the start position with side +1 to move, and on
// the five-in-a-row board a stone of side -1 on the centre point.
SoakPosition DemoStartOf(int kind);

// A short readable form for reports: the side to move and the changed cells.
std::string DescribeChange(const SoakPosition& from, const SoakPosition& to);

// Board kinds: the fewest moves (0 ... maxMoves) that lead from `from` to `to`, or -1
// when no sequence of at most maxMoves legal moves does. A move is one of the kind
// engine's successors, or on the stone boards (kinds 2 and 4) a stone of the side to
// move on any empty cell. In the disc game (kind 1) a side that cannot place a disc
// passes, and passes are not counted: any number may come between the moves. Nothing
// moves once the game is over.
int MovesBetween(const SoakPosition& from, const SoakPosition& to, int maxMoves);

// True when the board kind's game is over in this position.
bool BoardGameOver(const SoakPosition& position);

// The dice game: `to` can be reached from the start of a turn (`origin`, the side to
// move there throwing `roll`) by some of the steps a human may make, at least one.
bool DiceStepsReach(const SoakPosition& origin, DiceRoll roll, const SoakPosition& to);
// `to` is where a whole turn from `origin` with `roll` may end, the other side to move
// (or the mover still to move when the turn took its last checker off): the steps go
// on while any is possible; the turn may not end with a block of six points while the
// block rule applies (a side that has no other way to end stays where it was).
bool DiceTurnEnds(const SoakPosition& origin, DiceRoll roll, const SoakPosition& to);

}  // namespace tavlero::tool
