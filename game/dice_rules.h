// The dice game's rules as the game screen uses them for a human's turn: which
// points a checker may go to, one step, whether the turn goes on, the end of the
// game and the throws. The position itself is the game's DiceEngine.
//
// Points are board points 0 ... 23 here; a checker that is borne off is reported
// and requested with its own point as destination.
#pragma once

#include <vector>

#include "engine/dice_engine.h"

namespace tavlero {

struct DiceRoll {
  int dice1 = 0;
  int dice2 = 0;
};

// Winner codes of the dice game.
constexpr int kDiceNoWinner = 0;
constexpr int kDiceWinnerPlus = 1;   // side +1 has borne off every checker
constexpr int kDiceWinnerMinus = 2;  // side -1 has borne off every checker

// Destinations of the top checker on `point` for the side to move with the dice
// left, each point once, in the order the dice list them. Empty when the point
// holds no checker of the mover, when it is the head and a checker has already left
// it this turn, and for steps after which the mover would hold six consecutive
// points while the block rule applies.
std::vector<int> DiceDestinations(const DiceEngine& position, int point);

// Moves the top checker on `from` to `to` (`to` == `from` bears it off) when that
// is one of its destinations: counts, dice, head flag and step records change.
// Returns false and leaves the position alone otherwise.
bool DiceStep(DiceEngine& position, int from, int to);

// The mover still has a die or step left and some checker with a destination.
bool DiceTurnGoesOn(const DiceEngine& position);

// kDiceWinnerPlus when side +1 has no checker left (tested first),
// kDiceWinnerMinus when side -1 has none, else kDiceNoWinner.
int DiceWinner(const DiceEngine& position);

// Two dice of 1 ... 6 from the shared generator, first die first.
DiceRoll ThrowDice();
// The demonstration's throw: side +1 throws as usual; side -1 gets two different
// dice of 1 ... 3 (the second is drawn again until it differs).
DiceRoll ThrowDemonstrationDice(int side);

// Starts a turn of the side to move with `roll`: sets the dice, four steps for
// equal dice (else -1), the head flag, and empties the step records.
void StartDiceTurn(DiceEngine& position, DiceRoll roll);
// Ends the turn: the other side is to move.
void EndDiceTurn(DiceEngine& position);

}  // namespace tavlero
