// OMixerVolume: a player's own volume, 0 ... 65535, applied to one line of the game's
// audio back end. It is the player's level, never the desktop's system mixer, so the
// user's system volume is left alone and there is nothing to set back at the end.
#pragma once

#include "platform/audio_system.h"

namespace tavlero {

// The level of an effect voice for a player volume: hundredths of a decibel,
// 3000 x (v / 65535) - 3000 truncated toward zero: 65535 is 0, 32768 is -1499, 0 is -3000.
int EffectLevelForVolume(int volume);

// The music line's level for a volume: the same curve, with 0 silent.
int MusicLevelForVolume(int volume);

class OMixerVolume {
 public:
  enum Line {
    kWaveOutput = 0,   // the effects' line (their voices carry their own levels)
    kSynthesizer = 1,  // the music
    kSpeakers = 2,
  };
  static constexpr int kMinimum = 0;
  static constexpr int kMaximum = 65535;
  using ChangeCallback = void (*)(int volume, void* value);

  // Only the synthesizer line has a volume control of its own; the others report not
  // available. A null audio system has no lines at all.
  OMixerVolume(Line line, platform::AudioSystem* audio);
  virtual ~OMixerVolume() = default;

  virtual bool IsAvailable() const;
  // Disable mutes the line while keeping its volume; Enable sounds it again.
  virtual void Enable();
  virtual void Disable();
  // -1 when not available.
  virtual int GetSteps() const;
  virtual int GetMinimum() const;
  virtual int GetMaximum() const;
  virtual int GetVolume() const;
  // Only within minimum ... maximum.
  virtual void SetVolume(int volume);
  // Called with the new volume and `value` whenever the volume changes.
  virtual void SetChangeCallback(ChangeCallback callback, void* value);

 private:
  void Apply();

  Line line_;
  platform::AudioSystem* audio_;
  int volume_ = kMaximum;
  bool enabled_ = true;
  ChangeCallback callback_ = nullptr;
  void* callbackValue_ = nullptr;
};

}  // namespace tavlero
