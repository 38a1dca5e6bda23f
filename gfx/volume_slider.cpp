#include "gfx/volume_slider.h"

#include <algorithm>

namespace tavlero {

int OVolumeSlider::PositionOf(int volume) {
  if (volume >= kFullVolume) return kSteps;
  if (volume < 11) return 0;
  return std::clamp(volume * 4 / kFullVolume, 0, kSteps - 1);
}

int OVolumeSlider::VolumeOfStep(int step) { return (std::clamp(step, 0, kSteps - 1) + 1) * kFullVolume / kSteps; }

void OVolumeSlider::ShowVolume(int volume) {
  volume_ = std::clamp(volume, 0, kFullVolume);
  position_ = PositionOf(volume_);
  SetFrame(position_, -1);
}

int OVolumeSlider::StepAt(int px) const {
  const int stepWidth = std::max(1, width / kSteps);
  return std::clamp((px - static_cast<int>(x)) / stepWidth, 0, kSteps - 1);
}

bool OVolumeSlider::LButtonDown(int px, int py) {
  pressedStep_ = -1;
  if (!visible || !Hit(px, py)) return false;
  pressedStep_ = StepAt(px);
  clicked = true;
  return true;
}

bool OVolumeSlider::LButtonUp(int px, int py) {
  if (!visible || !Hit(px, py) || pressedStep_ < 0) return false;
  ShowVolume(VolumeOfStep(StepAt(px)));
  pressedStep_ = -1;
  return true;
}

}  // namespace tavlero
