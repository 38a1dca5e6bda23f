// FiveInARowPlay: stones on the 14 x 14 board (kind 2). The human sets a stone on an
// empty point; the computer answers 14 frames later. Five in a row wins.
#pragma once

#include "ui/kind_play.h"

namespace tavlero {

class FiveInARowPlay : public KindPlay {
 public:
  static constexpr int kReplyFrames = 14;

  using KindPlay::KindPlay;
  ~FiveInARowPlay() override;

  bool Open() override;
  void Resume() override;
  void Click(int x, int y) override;
  void Tick() override;
  void ComputerMove() override;
  void ShowPosition() override;
  void Drop() override;
  void CountPieces(int& first, int& second) const override;

  int Countdown() const { return countdown_; }

 private:
  int countdown_ = -1;
};

}  // namespace tavlero
