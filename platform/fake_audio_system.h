// An audio system that makes no sound and records what it was asked, so tests can
// follow the players' logic. A started sound plays until the test finishes it; an
// opened track plays until the test ends it. Safe to use from the music thread.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio_system.h"

namespace tavlero::platform {

class FakeAudioSystem : public AudioSystem {
 public:
  struct SoundStart {
    int sound = -1;
    int level = 0;
  };

  int AddSound(const PcmSound& sound) override;
  void RemoveSound(int sound) override;
  void StartSound(int sound, int level) override;
  bool SoundPlaying(int sound) const override;
  void SetSoundLevel(int sound, int level) override;

  bool OpenMusic(const std::string& path) override;
  bool PlayMusic() override;
  void CloseMusic() override;
  MusicState QueryMusic() override;
  void SetMusicLevel(int level) override;

  // What the test controls and reads.
  void FinishSound(int sound);
  void FinishMusic();
  std::vector<SoundStart> SoundStarts() const;
  int SoundLevel(int sound) const;  // the level last given, or kSilentLevel for no such sound
  int SoundCount() const;
  std::string OpenTrack() const;  // the file open now; empty when none
  std::vector<std::string> PlayedTracks() const;
  int MusicLevel() const;

 private:
  struct Sound {
    PcmSound pcm;
    int level = kFullLevel;
    bool playing = false;
  };
  mutable std::mutex lock_;
  std::map<int, Sound> sounds_;
  int nextSound_ = 0;
  std::vector<SoundStart> starts_;
  std::string openTrack_;
  MusicState music_ = MusicState::kClosed;
  std::vector<std::string> played_;
  int musicLevel_ = kFullLevel;
};

}  // namespace tavlero::platform
