// SoakChecker: watches the running program after every input event and frame tick
// and reports the first rule it breaks:
//   rules    the position on the board changed in a way the rules do not allow from
//            the one before (a move, the disc game's pass, the dice game's steps and
//            whole turns with the dice shown), or, when the history went back or
//            started afresh (undo, new game, the demonstration stopping), the board
//            is not the stored position (or the start) it went back to;
//   mirror   the pieces drawn on the board are not the position;
//   history  the stored positions are not numbered 1 ... latest with the board's
//            number within them, a stored position is not one move after the one
//            before it, a position was stored during the demonstration, or the saved
//            game did not come back when the program started again.
// It also counts the moves made and the games begun.
#pragma once

#include <string>
#include <vector>

#include "soak_rules.h"

namespace tavlero {
class OMainWindow;
class OGameScreen;
class OSprite;
}  // namespace tavlero

namespace tavlero::tool {

// The pixels a sprite shows (its first frame's); copies of one picture share them, so
// equal pointers mean the same picture. Null for a sprite without frames.
const void* PixelsOf(const OSprite* sprite);

class SoakChecker {
 public:
  // Looks at the program; false once a rule is broken (see Broken()).
  bool Observe(OMainWindow& window);
  // The program has closed (its window is gone, its screens not yet) and starts
  // again: the next observation must find the saved game it left, if it left one.
  void ProgramRestarting(OMainWindow& window);

  const std::string& Broken() const { return broken_; }
  long Moves() const { return moves_; }
  long Games() const { return games_; }

 private:
  struct Look {
    bool valid = false;  // the board is shown and its kind has a position
    int kind = -1;
    bool demo = false, busy = false, inFlight = false, finished = false, oneHuman = true, autosave = false;
    SoakPosition position;
    DiceRoll shownDice;
    int current = 0, latest = 0;
    std::size_t storedKeys = 0;  // the keys of the stored positions
    std::vector<SoakPosition> entries;  // stored position n at n - 1
    std::vector<bool> present;
  };

  Look LookAt(const OGameScreen& game) const;
  void ReadHistory(const OGameScreen& game, Look& look) const;
  bool HistoryMoved(const Look& look) const;

  void CheckHistory(const Look& now);
  void CheckFreshStart(const Look& now);
  void CheckDemo(const Look& now);
  void CheckGameStep(const Look& now);
  void CheckMirror(const OGameScreen& game, const Look& now);
  void CheckBoardMirror(const OGameScreen& game, const Look& now);
  void CheckDiceMirror(const OGameScreen& game, const Look& now);

  // The positions a board in the real game may stand on, going by the history: the
  // stored position the board's number names, or the start when nothing is stored.
  std::vector<SoakPosition> Anchors(const Look& now) const;
  // The board may be `now` coming back to `anchors` (at most two moves on, for the
  // computer's answer); counts a fresh game when it is a start.
  bool BackTo(const std::vector<SoakPosition>& anchors, const Look& now);
  // A change of a board kind's position or of the dice game's turn; counts moves.
  bool LegalStep(const Look& now);
  void Fail(const std::string& what);

  Look previous_;
  bool restarting_ = false;
  Look beforeRestart_;
  // The start of the dice turn being played.
  SoakPosition turnOrigin_;
  // The stored positions already found in order, so that only new ones are checked.
  std::vector<SoakPosition> checkedEntries_;
  std::string broken_;
  long moves_ = 0, games_ = 0;
};

}  // namespace tavlero::tool
