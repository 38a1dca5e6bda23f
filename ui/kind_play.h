// KindPlay: how one family of game kinds is played on the game screen: the opening,
// the human's clicks, the computer's turn, the animations and the end of the game.
// The game screen (ui/game_screen.h) owns one for the current kind and routes input
// and ticks to it; the rules themselves live in engine/ and game/.
#pragma once

namespace tavlero {

class OGameScreen;
class OSprite;

class KindPlay {
 public:
  explicit KindPlay(OGameScreen& game) : game_(game) {}
  virtual ~KindPlay() = default;
  KindPlay(const KindPlay&) = delete;
  KindPlay& operator=(const KindPlay&) = delete;

  // A game has just been set up at the start position: who moves first and the
  // computer's opening move. True when a move was made (stored as position 1).
  virtual bool Open() = 0;
  // After a stored position was put on the board (resumed, undone, restored after the
  // demonstration): carry on from it, letting the computer move when it is its turn.
  virtual void Resume() {}
  // A left-button release on the board area while the board takes clicks.
  virtual void Click(int x, int y) = 0;
  virtual void Hover(int /*x*/, int /*y*/) {}
  // Once every frame tick, before the end check.
  virtual void Tick() {}
  // A moving sprite of this kind reached the end of its path.
  virtual void Arrived(OSprite* /*sprite*/) {}
  // The computer plays the side to move (in a game or in the demonstration).
  virtual void ComputerMove() = 0;
  // The end check of the kinds whose end is read off the position.
  virtual void CheckEnd() {}
  // Puts the pieces of the position on the board.
  virtual void ShowPosition() = 0;
  // Drops every animation and marker in progress (a new game, the demonstration).
  virtual void Drop() {}
  // Pieces of the first (side +1) and second (side -1) player, for the counters.
  virtual void CountPieces(int& first, int& second) const = 0;

 protected:
  OGameScreen& game_;
};

}  // namespace tavlero
