// What a listener would hear: the game's SDL audio back end on SDL's disk driver,
// running in real time and writing nowhere, with every mixed block kept for the test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sdl/sdl_audio_system.h"
#include "sound/audio_measure.h"

namespace tavlero::sound_test {

constexpr int kWindowFrames = platform::SdlAudioSystem::kOutputRate / 100;  // 10 ms
constexpr double kSilenceDbfs = -60.0;

class HeardOutput {
 public:
  HeardOutput() : audio_(platform::SdlAudioOptions{"disk", "/dev/null", false}) {
    audio_.SetOutputTap([this](const std::int16_t* samples, int frames) {
      std::lock_guard<std::mutex> guard(lock_);
      samples_.insert(samples_.end(), samples, samples + static_cast<std::size_t>(frames) * kChannels);
    });
  }
  ~HeardOutput() { audio_.SetOutputTap(nullptr); }

  platform::SdlAudioSystem& Audio() { return audio_; }
  void Clear() {
    std::lock_guard<std::mutex> guard(lock_);
    samples_.clear();
  }
  std::vector<std::int16_t> Samples() const {
    std::lock_guard<std::mutex> guard(lock_);
    return samples_;
  }
  // The level of each 10 ms heard so far.
  std::vector<double> Envelope() const { return LevelEnvelope(Samples(), kChannels, kWindowFrames); }

 private:
  static constexpr int kChannels = platform::SdlAudioSystem::kOutputChannels;
  platform::SdlAudioSystem audio_;
  mutable std::mutex lock_;
  std::vector<std::int16_t> samples_;
};

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls `done` every 10 ms for at most `limitMs`; true when it came true.
inline bool WaitUntil(int limitMs, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    SleepMs(10);
  }
  return true;
}

// Seconds covered by the audible windows of an envelope, first to last.
inline double AudibleSeconds(const std::vector<double>& envelope) {
  return FindAudible(envelope, kSilenceDbfs).Windows() / 100.0;
}

// Stretches of sound separated by at least `minGapWindows` silent windows: [first, last].
inline std::vector<AudibleSpan> Bursts(const std::vector<double>& envelope, int minGapWindows) {
  std::vector<AudibleSpan> bursts;
  int silent = minGapWindows;
  for (int at = 0; at < static_cast<int>(envelope.size()); ++at) {
    if (envelope[at] < kSilenceDbfs) {
      ++silent;
      continue;
    }
    if (silent >= minGapWindows || bursts.empty()) {
      bursts.push_back({at, at});
    } else {
      bursts.back().last = at;
    }
    silent = 0;
  }
  return bursts;
}

}  // namespace tavlero::sound_test
