// OGameScreen: the game the player plays on the board screen. It holds one engine
// per kind (the position of the running game lives in the current kind's engine),
// the history of stored positions that undo walks and that is the saved game, the end
// banner, the demonstration, and a mirror of sprites that draws the position. What
// depends on the kind (clicks, the computer's turn, animations) is delegated to the
// current kind's KindPlay.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/dice_engine.h"
#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/game_history.h"
#include "gfx/sprite.h"
#include "ui/board_screen.h"
#include "ui/kind_play.h"

namespace tavlero {

class OGameScreen : public OBoardScreen {
 public:
  static constexpr int kKindCount = 9;
  static constexpr int kDiceKind = 8;
  static constexpr int kDemoMoveFrames = 30;
  static constexpr int kDemoMovesPerGame = 20;

  explicit OGameScreen(OWindow* owner);
  ~OGameScreen() override;

  // The board screen's operations.
  void NewGame() override;
  void Save() override;
  void Load() override;
  void RestoreLatest() override;
  void StartDemo() override;
  void StopDemo() override;
  int MovesMade() override { return demo ? 0 : movesMade; }
  void LoadPictures() override;
  void CheckGameEnd() override;
  int Winner() const override { return winner; }
  bool DemoRunning() const override { return demo; }
  void SwitchGame(int kind, bool playersChanged) override;
  void OnModalClosed(OScreen* screen, int result) override;

  // Input and ticks.
  void OnFrame(int elapsedMs) override;
  OControl* OnMouseMove(int x, int y) override;
  OControl* OnLButtonDown(int x, int y) override;
  OControl* OnLButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnControl(OControl* control) override;
  void OnSpriteArrived(OSprite* sprite, const OWaypoint& waypoint) override;

  // Pieces of `side` on the board.
  int CountPieces(int side) const;
  void UpdatePieceCounters();

  // --- services for the kinds' play ---
  int Kind() const { return options.gameKind; }
  bool OneHuman() const { return !options.twoPlayers; }
  // The current kind's engine (kinds 0 ... 7) or the dice game (kind 8); null when
  // the kind has none yet.
  SearchEngine* Engine() const;
  DiceEngine* Dice() const { return dice_.get(); }
  // The search depth of the current kind and level.
  int SearchDepth() const;
  // Runs the engine's search for the side to move with the wait cursor shown.
  int Think(SearchEngine& engine, int depth);
  // Stores the position under the next number (not during the demonstration).
  void StorePosition();
  // Stores the position on the board unless it is already the one the board's number
  // holds: the disc game keeps the computer's answer late (before the human's next
  // move, an undo or the demonstration), and must keep it once only.
  void KeepBoardPosition();
  // The cell under a window point for the current board kind.
  BoardCell CellAt(int x, int y) const;
  // Rebuilds the sprite mirror of a board kind from its engine; `hidden` stays empty
  // (the piece moving there is still on its way).
  void ShowBoardPosition(BoardCell hidden = {});
  OSprite* PieceSprite(BoardCell cell) const;
  // The picture of the piece table (0 ... 10) that piece sprites are copied from; null
  // out of range.
  const OSprite* PiecePicture(int index) const {
    return index >= 0 && index < static_cast<int>(piecePictures_.size()) ? piecePictures_[index].get() : nullptr;
  }
  // A new sprite of the picture in the piece table (0 ... 10), not yet added.
  OSprite* NewPieceSprite(int picture, double x, double y, double z) const;
  // The piece table entry drawing a board kind's cell code; -1 for none.
  int PictureOfCode(int code) const;
  void PlaySound(int id) { PlayEffect(id); }
  void ShowUndo();
  // The computer has moved: a game counts as running.
  void MarkGameRunning() { options.score = 1; }
  void EndGame(int winnerCode);
  // Removes and deletes a sprite this screen owns; null is ignored.
  void DropSprite(OSprite*& sprite);

  // --- the state of the game, read by the kinds' play and by tests ---
  GameHistory history;
  bool busy = false;
  bool gameOver = false;
  int winner = 0;
  int movesMade = 0;
  bool demo = false;
  bool firstMiss = false;  // a board click has been seen
  BoardCell clickedCell;
  BoardCell selectedCell;
  KindPlay* Play() const { return play_.get(); }
  OSprite* EndBanner() const { return endBanner_; }
  bool BannerShown() const { return bannerShown; }

 private:
  // With Autosave on, the current kind's saved game; else the start position and a
  // new game on the next tick.
  void ResumeSavedGame();
  // Creates the kind's engine without a position (kind 0 with its endgame table).
  void CreateEngine();
  // Resets the engine to the start position and puts the pieces on the board.
  void StartPosition();
  void MakePlay();
  void ClearBoardSprites();
  void ShowEndBanner();
  void RemoveEndBanner();
  void Undo();
  void DemoTick();
  // Writes the saved game when a position was stored since the last write.
  void AutosaveIfChanged();
  bool WriteSavedGame();
  // The position on the board is a finished game.
  bool PositionFinished() const;

  std::array<std::unique_ptr<SearchEngine>, 8> engines_;
  std::unique_ptr<DiceEngine> dice_;
  std::unique_ptr<KindPlay> play_;
  int playKind_ = -1;
  std::array<std::unique_ptr<OSprite>, 11> piecePictures_;
  std::array<std::array<OSprite*, kMaxBoardSide>, kMaxBoardSide> mirror_{};
  OSprite* endBanner_ = nullptr;
  bool undoWasVisible_ = false;
  int demoFrames_ = 0;
  int demoMoves_ = 0;
  bool historyChanged_ = false;
};

}  // namespace tavlero
