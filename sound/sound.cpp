#include "sound/sound.h"

#include <algorithm>

#include "sound/mixer_volume.h"
#include "sound/wave_file.h"

namespace tavlero {

OSound::~OSound() {
  while (!effects_.empty()) RemoveEffect(effects_.begin()->first);
}

void OSound::Init(platform::AudioSystem* audio) {
  if (audio == audio_) return;
  for (auto& [id, effect] : effects_) {
    if (audio_ != nullptr && effect.voice >= 0) audio_->RemoveSound(effect.voice);
    effect.voice = audio != nullptr ? audio->AddSound(effect.sound) : -1;
  }
  audio_ = audio;
}

void OSound::RemoveEffect(int id) {
  auto found = effects_.find(id);
  if (found == effects_.end()) return;
  if (audio_ != nullptr && found->second.voice >= 0) audio_->RemoveSound(found->second.voice);
  effects_.erase(found);
}

bool OSound::LoadEffect(int id, const std::string& path) {
  RemoveEffect(id);
  Effect effect;
  effect.fileName = path;
  if (!ReadWaveFile(path, effect.sound)) return false;
  if (audio_ != nullptr) effect.voice = audio_->AddSound(effect.sound);
  effects_[id] = std::move(effect);
  return true;
}

void OSound::Play(int id, bool restart) {
  if (!enabled_ || audio_ == nullptr) return;
  auto found = effects_.find(id);
  if (found == effects_.end() || found->second.voice < 0) return;
  const int voice = found->second.voice;
  if (!restart && audio_->SoundPlaying(voice)) return;
  audio_->StartSound(voice, EffectLevelForVolume(volume_));
}

bool OSound::EffectPlaying(int id) const {
  auto found = effects_.find(id);
  return audio_ != nullptr && found != effects_.end() && found->second.voice >= 0 &&
         audio_->SoundPlaying(found->second.voice);
}

void OSound::SetVolume(int volume) {
  volume_ = std::clamp(volume, 0, kFullVolume);
  if (audio_ == nullptr) return;
  for (const auto& [id, effect] : effects_) {
    if (effect.voice >= 0) audio_->SetSoundLevel(effect.voice, EffectLevelForVolume(volume_));
  }
}

}  // namespace tavlero
