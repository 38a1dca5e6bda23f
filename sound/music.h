// OMusic: the background music player. A worker thread of its own owns the music
// device: the window thread hands it commands (play, stop, add or remove a track),
// and the worker carries them out in the order given, and at least once a second
// checks whether the track has ended, to follow it with another random one.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "platform/audio_system.h"
#include "sound/mixer_volume.h"
#include "sound/music_player.h"

namespace tavlero {

class OMusic : public MusicPlayer {
 public:
  // A null audio system keeps the list and the commands but plays nothing.
  explicit OMusic(platform::AudioSystem* audio);
  ~OMusic() override;
  OMusic(const OMusic&) = delete;
  OMusic& operator=(const OMusic&) = delete;

  // Adds (or replaces) track `number`; returns once the worker holds it. A file that
  // cannot be opened for reading is not added and gives false.
  bool AddTrackFile(int number, const std::string& fileName);
  void AddTrack(int number, const std::string& fileName) override { AddTrackFile(number, fileName); }
  // -1 removes every track.
  void RemoveTrack(int number) override;
  // kRandomTrack picks one of the list at random; a number not in the list starts nothing.
  void Play(int number) override;
  void Stop() override;
  bool IsPlaying() const override { return playing_.load(); }
  void SetVolume(int volume) override;
  int Volume() const override { return volume_; }

  // The list as the worker holds it.
  std::map<int, std::string> Tracks() const;
  // Returns once the worker has carried out every command given so far.
  void WaitUntilIdle();

  static constexpr int kCheckIntervalMs = 1000;

 private:
  enum class Command { kPlay, kStop, kRemove, kAdd, kQuit };
  struct Request {
    Request() = default;
    explicit Request(Command what, int trackNumber = 0, std::string file = {})
        : command(what), number(trackNumber), fileName(std::move(file)) {}
    Command command = Command::kStop;
    int number = 0;
    std::string fileName;
    std::uint64_t serial = 0;
  };

  std::uint64_t Send(Request request);
  void WaitFor(std::uint64_t serial);
  void Run();
  // Closes what plays and starts track `number` (kRandomTrack: a random one) when the
  // list has it.
  void StartTrack(int number);
  int RandomTrackNumber();  // under the lock
  void CheckEndOfTrack();

  platform::AudioSystem* audio_;
  OMixerVolume mixer_;
  int volume_ = 0x8000;
  std::atomic<bool> playing_{false};

  // Shared with the worker, under lock_.
  mutable std::mutex lock_;
  std::condition_variable wake_;      // a command was queued
  std::condition_variable finished_;  // the worker finished a command
  std::deque<Request> requests_;
  std::map<int, std::string> tracks_;
  std::uint64_t sent_ = 0;
  std::uint64_t done_ = 0;

  // The worker's own generator for random picks (the shared one belongs to the window
  // thread); seeded from it at construction.
  std::uint32_t pickState_ = 1;
  std::thread worker_;
};

}  // namespace tavlero
