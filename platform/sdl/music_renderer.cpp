#include "platform/sdl/music_renderer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/sdl/sdl_audio_system.h"

namespace tavlero::platform {

namespace {

bool AboveNoise(const std::int16_t* samples, std::size_t count) {
  constexpr int kNoiseFloor = 4;  // the synthesiser's idle output stays within one or two steps
  return std::any_of(samples, samples + count,
                     [](std::int16_t sample) { return sample > kNoiseFloor || sample < -kNoiseFloor; });
}

}  // namespace

bool RenderMusicFile(const std::string& path, int level, RenderedAudio& out, std::string& error,
                     double maxSeconds) {
  out = {};
  SdlAudioSystem audio({"disk", "/dev/null", true});
  if (!audio.Available()) {
    error = "no audio driver to render with";
    return false;
  }
  if (audio.SoundFont().empty()) {
    error = "no General MIDI soundfont installed";
    return false;
  }
  out.sampleRate = SdlAudioSystem::kOutputRate;
  out.channels = SdlAudioSystem::kOutputChannels;
  const std::size_t maxSamples = static_cast<std::size_t>(maxSeconds * out.sampleRate) * out.channels;

  // The tap keeps every block from the first one with music in it to the one in which
  // the track ended, and touches `out` no more once `finished` is set. The synthesiser
  // can take a moment, longer on a busy machine, before its first note: blocks before
  // anything rises above its faint noise are not kept. A file whose events it rejects
  // never rises above that noise at all.
  std::atomic<bool> finished{false}, tooLong{false}, heard{false};
  audio.SetOutputTap([&](const std::int16_t* samples, int frames) {
    if (finished.load(std::memory_order_acquire)) return;
    const bool running = audio.MusicRunning();
    const std::size_t count = static_cast<std::size_t>(frames) * out.channels;
    if (!heard) {
      if (!running || !AboveNoise(samples, count)) return;
      heard = true;
    }
    out.samples.insert(out.samples.end(), samples, samples + count);
    if (out.samples.size() > maxSamples) tooLong = true;
    if (!running || tooLong) finished.store(true, std::memory_order_release);
  });

  audio.SetMusicLevel(level);
  if (!audio.OpenMusic(path) || !audio.PlayMusic()) {
    audio.SetOutputTap(nullptr);
    error = "cannot play " + path;
    return false;
  }
  // The mixer runs far ahead of real time; a generous wall-clock limit guards against
  // a driver that does not.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(maxSeconds);
  while (!finished.load(std::memory_order_acquire) && std::chrono::steady_clock::now() < deadline) {
    // A file the decoder gives up on ends before a single block of it is mixed.
    if (!audio.MusicRunning() && !heard) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      if (!heard) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  audio.SetOutputTap(nullptr);
  if (!heard) {
    error = path + " plays no music";
    return false;
  }
  if (!finished.load(std::memory_order_acquire) || tooLong) {
    error = path + " plays longer than the limit";
    return false;
  }
  return true;
}

}  // namespace tavlero::platform
