// OSound: the game's effects player. Every effect file is read whole into memory when
// it is loaded and played from memory on a voice of its own, at the level the player's
// volume gives it, so playing costs no file access.
#pragma once

#include <map>
#include <string>

#include "platform/audio_system.h"
#include "sound/effects_player.h"

namespace tavlero {

class OSound : public EffectsPlayer {
 public:
  OSound() = default;
  ~OSound() override;
  OSound(const OSound&) = delete;
  OSound& operator=(const OSound&) = delete;

  // Attaches the player to an audio back end (null: silent) and gives every effect
  // already loaded its voice there.
  void Init(platform::AudioSystem* audio);

  // Replaces effect `id` by the wave file at `path`; false (and no effect of that id)
  // when the file cannot be read whole or is not a PCM wave file.
  bool LoadEffect(int id, const std::string& path) override;
  void Play(int id, bool restart) override;
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetVolume(int volume) override;
  int Volume() const override { return volume_; }

  bool HasEffect(int id) const { return effects_.count(id) != 0; }
  // True while effect `id` is heard.
  bool EffectPlaying(int id) const;

 private:
  struct Effect {
    std::string fileName;
    platform::PcmSound sound;
    int voice = -1;  // the back end's handle, -1 without one
  };
  void RemoveEffect(int id);

  platform::AudioSystem* audio_ = nullptr;
  bool enabled_ = true;
  int volume_ = 32768;
  std::map<int, Effect> effects_;
};

}  // namespace tavlero
