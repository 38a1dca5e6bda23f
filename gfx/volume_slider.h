// OVolumeSlider: a row of five steps showing a volume (0 ... 65535). Frame p of its
// picture lights steps 0 ... p; a click on step k sets the volume to (k + 1) / 5 of
// the full volume.
#pragma once

#include "gfx/control.h"

namespace tavlero {

class OVolumeSlider : public OControl {
 public:
  static constexpr int kSteps = 5;
  static constexpr int kFullVolume = 65535;

  bool LButtonDown(int x, int y) override;
  bool LButtonUp(int x, int y) override;

  // Shows a volume: position v x 4 / 65535, but 5 for the full volume and 0 below 11.
  void ShowVolume(int volume);
  int Volume() const { return volume_; }
  int Position() const { return position_; }

  // The position a volume shows, and the volume a clicked step gives.
  static int PositionOf(int volume);
  static int VolumeOfStep(int step);

 private:
  int StepAt(int x) const;

  int volume_ = 0;
  int position_ = 0;
  int pressedStep_ = -1;
};

}  // namespace tavlero
