// The sound services the game needs from the desktop: short PCM sounds held in memory,
// each played on a voice of its own at a level in hundredths of a decibel, and one MIDI
// file at a time for the background music. The SDL back end plays through SDL2_mixer;
// the fake records what it was asked so tests can follow the players' logic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlero::platform {

// PCM samples as a wave file holds them: interleaved frames, 8-bit unsigned or
// 16-bit signed little-endian.
struct PcmSound {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 0;
  std::vector<std::uint8_t> data;

  int BytesPerFrame() const { return channels * bitsPerSample / 8; }
  int Frames() const { return BytesPerFrame() > 0 ? static_cast<int>(data.size()) / BytesPerFrame() : 0; }
};

// Levels are hundredths of a decibel below full: 0 is full, -1500 is 15 dB quieter.
// Anything at or below kSilentLevel is silence.
constexpr int kFullLevel = 0;
constexpr int kSilentLevel = -10000;

enum class MusicState {
  kClosed,   // no file open
  kPlaying,  // the open file is playing
  kStopped,  // the open file has played to its end (or was never started)
};

class AudioSystem {
 public:
  virtual ~AudioSystem() = default;

  // Takes a copy of a sound and gives it a voice of its own. Returns the sound's
  // handle, or -1 when the sound's format cannot be played.
  virtual int AddSound(const PcmSound& sound) = 0;
  virtual void RemoveSound(int sound) = 0;
  // Plays the sound once from its start at `level`, cutting short a copy still playing.
  virtual void StartSound(int sound, int level) = 0;
  virtual bool SoundPlaying(int sound) const = 0;
  // Changes the level of the sound, also while it plays.
  virtual void SetSoundLevel(int sound, int level) = 0;

  // Opens a MIDI file (closing the one open before); false when it cannot be read.
  virtual bool OpenMusic(const std::string& path) = 0;
  // Plays the open file once from its start; false when nothing is open.
  virtual bool PlayMusic() = 0;
  virtual void CloseMusic() = 0;
  virtual MusicState QueryMusic() = 0;
  virtual void SetMusicLevel(int level) = 0;

  // Called by a thread of the caller's own (the music worker) as its last use of the
  // audio system, so the back end can free what it kept for that thread.
  virtual void ThreadFinished() {}
};

}  // namespace tavlero::platform
