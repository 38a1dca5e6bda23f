// The background music player: a list of tracks, one playing at a time. Game code
// reaches it only through this interface; the program installs the player it has.
#pragma once

#include <string>

namespace tavlero {

class MusicPlayer {
 public:
  // Play(kRandomTrack) picks a random track of the list.
  static constexpr int kRandomTrack = -999999;

  virtual ~MusicPlayer() = default;
  virtual void AddTrack(int number, const std::string& fileName) = 0;
  // -1 removes every track.
  virtual void RemoveTrack(int number) = 0;
  virtual void Play(int number) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() const = 0;
  // 0 ... 65535.
  virtual void SetVolume(int volume) = 0;
  virtual int Volume() const = 0;
};

// Keeps the list, the playing flag and the volume and makes no sound.
class SilentMusicPlayer : public MusicPlayer {
 public:
  void AddTrack(int, const std::string&) override { ++tracks_; }
  void RemoveTrack(int number) override {
    if (number == -1) tracks_ = 0;
  }
  void Play(int) override { playing_ = tracks_ > 0; }
  void Stop() override { playing_ = false; }
  bool IsPlaying() const override { return playing_; }
  void SetVolume(int volume) override { volume_ = volume; }
  int Volume() const override { return volume_; }

 private:
  int tracks_ = 0;
  bool playing_ = false;
  int volume_ = 0x8000;
};

// The player the program uses now; never null (a silent one until another is installed).
MusicPlayer& Music();
// Installs `player` (null: the silent one again). The caller keeps ownership.
void InstallMusicPlayer(MusicPlayer* player);

}  // namespace tavlero
