// The audio back end over SDL2_mixer: each effect sound is converted once to the output
// format and kept in memory on a mixer channel of its own; music is a MIDI file played
// by SDL2_mixer's FluidSynth decoder with a General MIDI soundfont found on the system.
// Without an audio device the object stays closed and every call does nothing, so the
// program runs silent.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/audio_system.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace tavlero::platform {

struct SdlAudioOptions {
  // SDL's audio driver by name ("disk", "dummy"); empty: SDL's own choice.
  std::string driver;
  // The file the disk driver writes what it plays into.
  std::string diskFile;
  // The disk driver mixes as fast as the processor allows instead of in real time.
  bool faster = false;
};

class SdlAudioSystem : public AudioSystem {
 public:
  // The output format: 16-bit signed stereo at 44100 frames a second.
  static constexpr int kOutputRate = 44100;
  static constexpr int kOutputChannels = 2;

  explicit SdlAudioSystem(const SdlAudioOptions& options = {});
  ~SdlAudioSystem() override;
  SdlAudioSystem(const SdlAudioSystem&) = delete;
  SdlAudioSystem& operator=(const SdlAudioSystem&) = delete;

  // True when an audio device was opened.
  bool Available() const { return open_; }
  // The soundfont the music is played with; empty when none was found.
  const std::string& SoundFont() const { return soundFont_; }

  // Receives every block of mixed output, on the audio thread, as it goes to the device.
  using OutputTap = std::function<void(const std::int16_t* samples, int frames)>;
  void SetOutputTap(OutputTap tap);
  // True from PlayMusic until the track has played to its end or is closed; may be
  // read on the audio thread (from the tap).
  bool MusicRunning() const { return musicRunning_.load(); }

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
  void ThreadFinished() override;

 private:
  struct Voice {
    Mix_Chunk* chunk = nullptr;
    std::uint8_t* samples = nullptr;  // the converted samples the chunk plays from
  };
  static void PostMix(void* self, std::uint8_t* stream, int length);
  static void MusicFinished();
  bool ValidSound(int sound) const;

  bool subsystem_ = false;
  bool mixerInit_ = false;
  bool open_ = false;
  std::string soundFont_;
  std::vector<Voice> voices_;
  Mix_Music* music_ = nullptr;
  std::atomic<bool> musicRunning_{false};
  OutputTap tap_;
};

// The General MIDI soundfont the music uses: the first that exists of Debian's.
std::string FindSoundFont();

// A mixer level (hundredths of a decibel, 0 full) as SDL2_mixer's volume 0 ... 128.
int MixerVolumeForLevel(int level);

}  // namespace tavlero::platform
