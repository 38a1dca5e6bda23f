#include "sound/mixer_volume.h"

namespace tavlero {

int EffectLevelForVolume(int volume) {
  return static_cast<int>(3000.0 * (volume / 65535.0) - 3000.0);
}

int MusicLevelForVolume(int volume) { return volume <= 0 ? platform::kSilentLevel : EffectLevelForVolume(volume); }

OMixerVolume::OMixerVolume(Line line, platform::AudioSystem* audio) : line_(line), audio_(audio) {}

bool OMixerVolume::IsAvailable() const { return audio_ != nullptr && line_ == kSynthesizer; }

void OMixerVolume::Enable() {
  enabled_ = true;
  Apply();
}

void OMixerVolume::Disable() {
  enabled_ = false;
  Apply();
}

int OMixerVolume::GetSteps() const { return IsAvailable() ? kMaximum - kMinimum + 1 : -1; }
int OMixerVolume::GetMinimum() const { return IsAvailable() ? kMinimum : -1; }
int OMixerVolume::GetMaximum() const { return IsAvailable() ? kMaximum : -1; }
int OMixerVolume::GetVolume() const { return IsAvailable() ? volume_ : -1; }

void OMixerVolume::SetVolume(int volume) {
  if (!IsAvailable() || volume < kMinimum || volume > kMaximum) return;
  const bool changed = volume != volume_;
  volume_ = volume;
  Apply();
  if (changed && callback_ != nullptr) callback_(volume_, callbackValue_);
}

void OMixerVolume::SetChangeCallback(ChangeCallback callback, void* value) {
  callback_ = callback;
  callbackValue_ = value;
}

void OMixerVolume::Apply() {
  if (IsAvailable()) audio_->SetMusicLevel(enabled_ ? MusicLevelForVolume(volume_) : platform::kSilentLevel);
}

}  // namespace tavlero
