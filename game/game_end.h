// The end of a board game (kinds 0 to 7) read off the position held by the kind's
// engine: whether the game is over and who won.
#pragma once

namespace tavlero {

class SearchEngine;

// Winner codes.
constexpr int kNoWinner = 0;
constexpr int kFirstSideWon = 1;   // side +1
constexpr int kSecondSideWon = 2;  // side -1

struct GameEnd {
  bool over = false;
  int winner = kNoWinner;
  friend constexpr bool operator==(const GameEnd&, const GameEnd&) = default;
};

// Applies the end rules of `kind` to `position` (its cells, board size and side to
// move). The position itself is left untouched; move generation for the blocked test
// runs on a scratch engine.
//   0, 3, 7: a side without pieces loses; a blocked side to move loses.
//   5, 6:    a side without pieces wins; a blocked side to move loses.
//   1:       a side without discs loses; on a full board the side with more discs
//            wins and a tie goes to side +1 when `firstMoveFlag` is set, else to
//            side -1; when neither side can place a disc the side with more discs
//            wins and a tie goes to side -1.
//   2:       a line of five wins; a board without an empty point ends without a
//            winner.
//   4:       the side that has joined its two edges wins.
// Other kinds (8, the dice game, decides its own end) never report an end here.
GameEnd CheckGameEnd(int kind, const SearchEngine& position, bool firstMoveFlag);

}  // namespace tavlero
