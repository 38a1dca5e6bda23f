// DraughtsPlay: the draughts kinds (0, 3, 5, 6 and 7) on the game screen. The human
// picks a piece up and clicks where it goes; the move is the first legal one that
// puts the piece there, animated along its capture path while the captured pieces
// fade. With one human the computer answers as soon as the human's piece lands.
#pragma once

#include <vector>

#include "game/board_geometry.h"
#include "ui/kind_play.h"

namespace tavlero {

class SearchEngine;

class DraughtsPlay : public KindPlay {
 public:
  static constexpr double kMoveSpeed = 10;  // pixels per frame
  static constexpr int kFadeStep = 10;      // transparency added per frame
  static constexpr double kAnimationDepth = -10;

  using KindPlay::KindPlay;
  ~DraughtsPlay() override;

  bool Open() override;
  void Resume() override;
  void Click(int x, int y) override;
  void Hover(int x, int y) override;
  void Tick() override;
  void Arrived(OSprite* sprite) override;
  void ComputerMove() override;
  void CheckEnd() override;
  void ShowPosition() override;
  void Drop() override;
  void CountPieces(int& first, int& second) const override;

  bool Animating() const { return moving_ != nullptr; }

 private:
  void PickUp(BoardCell cell);
  // Makes the legal move that takes the picked-up piece to `cell`; false when there is
  // none (nothing changes then).
  bool MoveSelectedTo(BoardCell cell);
  // Cells whose piece may move now: only pieces that capture when any piece can.
  std::vector<BoardCell> MovablePieces();
  // Animates the change from `before` to the engine's position: the mover's piece
  // glides along `path` (cell indices) or straight to its destination.
  void Animate(const int* before, const std::vector<int>& path, int mover);
  void ShowPieceFrame(BoardCell cell, int frame);
  SearchEngine& Engine() const;

  OSprite* moving_ = nullptr;
  std::vector<OSprite*> fading_;
  int fadeLevel_ = 0;
  BoardCell destination_;
  BoardCell hovered_;
  bool replyPending_ = false;
};

}  // namespace tavlero
