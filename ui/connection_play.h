// ConnectionPlay: the connection game on the rhombus (kind 4). The human sets a stone
// on an empty cell and the computer answers in the same click; the side that joins
// its two edges wins.
#pragma once

#include "ui/kind_play.h"

namespace tavlero {

class ConnectionPlay : public KindPlay {
 public:
  using KindPlay::KindPlay;

  bool Open() override;
  void Resume() override;
  void Click(int x, int y) override;
  void ComputerMove() override;
  void ShowPosition() override;
  void CountPieces(int& first, int& second) const override;
};

}  // namespace tavlero
