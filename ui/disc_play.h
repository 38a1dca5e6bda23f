// DiscPlay: the disc-flipping game (kind 1) on the game screen. The human puts a disc
// on a marked cell; the computer answers 30 frames later. A side without a place to
// put a disc passes, and the human is told so by a notice.
#pragma once

#include <vector>

#include "ui/kind_play.h"

namespace tavlero {

class DiscPlay : public KindPlay {
 public:
  static constexpr int kReplyFrames = 30;
  // After a pass the computer moves again this many frames before the countdown ends.
  static constexpr int kPassRestart = 10;

  using KindPlay::KindPlay;
  ~DiscPlay() override;

  bool Open() override;
  void Resume() override;
  void Click(int x, int y) override;
  void Tick() override;
  void ComputerMove() override;
  void CheckEnd() override;
  void ShowPosition() override;
  void Drop() override;
  void CountPieces(int& first, int& second) const override;

  // Frames counted towards the computer's answer; -1 while nobody waits.
  int Countdown() const { return countdown_; }
  const std::vector<OSprite*>& Hints() const { return hints_; }

 private:
  void ShowHints();
  void RemoveHints();
  void StartCountdown(int from);

  int countdown_ = -1;
  std::vector<OSprite*> hints_;
};

}  // namespace tavlero
