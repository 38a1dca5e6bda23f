#include "platform/sdl/sdl_audio_system.h"

#include "platform/midi_check.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

namespace tavlero::platform {

namespace {

// The one back end whose music-finished notice is awaited (SDL2_mixer's hook is global).
std::atomic<SdlAudioSystem*> g_active{nullptr};

constexpr int kBlockFrames = 1024;  // about 23 ms of output per mix

// Debian's General MIDI soundfonts, the small one the music was arranged with first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
};

// Opening a device where there is none makes the sound libraries complain on standard
// error; the program runs silent instead, so that talk is sent nowhere meanwhile.
class QuietStandardError {
 public:
  QuietStandardError() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int sink = open("/dev/null", O_WRONLY);
    if (saved_ >= 0 && sink >= 0) dup2(sink, STDERR_FILENO);
    if (sink >= 0) close(sink);
  }
  ~QuietStandardError() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

bool PlayableFormat(const PcmSound& sound) {
  return (sound.bitsPerSample == 8 || sound.bitsPerSample == 16) && (sound.channels == 1 || sound.channels == 2) &&
         sound.sampleRate >= 1000 && sound.sampleRate <= 192000 && sound.Frames() > 0;
}

}  // namespace

std::string FindSoundFont() {
  std::error_code error;
  for (const char* path : kSoundFonts) {
    if (std::filesystem::is_regular_file(path, error)) return path;
  }
  return {};
}

int MixerVolumeForLevel(int level) {
  if (level <= kSilentLevel) return 0;
  if (level >= kFullLevel) return MIX_MAX_VOLUME;
  const long volume = std::lround(MIX_MAX_VOLUME * std::pow(10.0, level / 2000.0));
  return static_cast<int>(std::clamp(volume, 0L, static_cast<long>(MIX_MAX_VOLUME)));
}

SdlAudioSystem::SdlAudioSystem(const SdlAudioOptions& options) {
  QuietStandardError quiet;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  subsystem_ = true;
  const char* current = SDL_GetCurrentAudioDriver();
  if (!options.driver.empty() && (current == nullptr || options.driver != current)) {
    if (SDL_AudioInit(options.driver.c_str()) != 0) return;
  }
  mixerInit_ = true;
  Mix_Init(MIX_INIT_MID);
  soundFont_ = FindSoundFont();
  if (!soundFont_.empty()) Mix_SetSoundFonts(soundFont_.c_str());

  std::optional<ScopedEnvironment> delay;
  if (options.faster) delay.emplace("SDL_DISKAUDIODELAY", "0");
  // The disk driver takes the device name as the file to write.
  const char* device = options.diskFile.empty() ? nullptr : options.diskFile.c_str();
  if (Mix_OpenAudioDevice(kOutputRate, AUDIO_S16SYS, kOutputChannels, kBlockFrames, device, 0) != 0) return;
  open_ = true;
  g_active = this;
  Mix_HookMusicFinished(&SdlAudioSystem::MusicFinished);
}

SdlAudioSystem::~SdlAudioSystem() {
  if (open_) {
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HookMusicFinished(nullptr);
    CloseMusic();
    for (std::size_t sound = 0; sound < voices_.size(); ++sound) RemoveSound(static_cast<int>(sound));
    Mix_CloseAudio();
  }
  SdlAudioSystem* self = this;
  g_active.compare_exchange_strong(self, nullptr);
  if (mixerInit_) Mix_Quit();
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioSystem::SetOutputTap(OutputTap tap) {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);  // waits for a mix in progress
  tap_ = std::move(tap);
  if (tap_) Mix_SetPostMix(&SdlAudioSystem::PostMix, this);
}

void SdlAudioSystem::PostMix(void* self, std::uint8_t* stream, int length) {
  auto* audio = static_cast<SdlAudioSystem*>(self);
  if (audio->tap_) {
    audio->tap_(reinterpret_cast<const std::int16_t*>(stream),
                length / static_cast<int>(sizeof(std::int16_t) * kOutputChannels));
  }
}

void SdlAudioSystem::MusicFinished() {
  if (SdlAudioSystem* audio = g_active.load()) audio->musicRunning_ = false;
}

bool SdlAudioSystem::ValidSound(int sound) const {
  return sound >= 0 && sound < static_cast<int>(voices_.size()) && voices_[sound].chunk != nullptr;
}

int SdlAudioSystem::AddSound(const PcmSound& sound) {
  if (!open_ || !PlayableFormat(sound)) return -1;
  SDL_AudioCVT convert;
  const SDL_AudioFormat format = sound.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  if (SDL_BuildAudioCVT(&convert, format, static_cast<Uint8>(sound.channels), sound.sampleRate, AUDIO_S16SYS,
                        kOutputChannels, kOutputRate) < 0) {
    return -1;
  }
  convert.len = sound.Frames() * sound.BytesPerFrame();
  convert.buf = static_cast<Uint8*>(SDL_malloc(static_cast<std::size_t>(convert.len) * convert.len_mult));
  if (convert.buf == nullptr) return -1;
  std::memcpy(convert.buf, sound.data.data(), static_cast<std::size_t>(convert.len));
  if (convert.needed && SDL_ConvertAudio(&convert) != 0) {
    SDL_free(convert.buf);
    return -1;
  }
  const int length = convert.needed ? convert.len_cvt : convert.len;
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(convert.buf, static_cast<Uint32>(length));
  if (chunk == nullptr) {
    SDL_free(convert.buf);
    return -1;
  }
  int handle = 0;
  while (handle < static_cast<int>(voices_.size()) && voices_[handle].chunk != nullptr) ++handle;
  if (handle == static_cast<int>(voices_.size())) voices_.emplace_back();
  voices_[handle] = {chunk, convert.buf};
  // Each sound has the mixer channel of its own number.
  if (Mix_AllocateChannels(-1) < static_cast<int>(voices_.size())) {
    Mix_AllocateChannels(static_cast<int>(voices_.size()));
  }
  return handle;
}

void SdlAudioSystem::RemoveSound(int sound) {
  if (!ValidSound(sound)) return;
  Mix_HaltChannel(sound);
  Mix_FreeChunk(voices_[sound].chunk);  // a quick-loaded chunk leaves its samples to us
  SDL_free(voices_[sound].samples);
  voices_[sound] = {};
}

void SdlAudioSystem::StartSound(int sound, int level) {
  if (!ValidSound(sound)) return;
  Mix_Volume(sound, MixerVolumeForLevel(level));
  Mix_PlayChannel(sound, voices_[sound].chunk, 0);  // replaces whatever the channel played
}

bool SdlAudioSystem::SoundPlaying(int sound) const { return ValidSound(sound) && Mix_Playing(sound) != 0; }

void SdlAudioSystem::SetSoundLevel(int sound, int level) {
  if (ValidSound(sound)) Mix_Volume(sound, MixerVolumeForLevel(level));
}

bool SdlAudioSystem::OpenMusic(const std::string& path) {
  CloseMusic();
  if (!open_ || !IsWellFormedMidiFile(path)) return false;
  music_ = Mix_LoadMUS(path.c_str());
  return music_ != nullptr;
}

bool SdlAudioSystem::PlayMusic() {
  if (music_ == nullptr) return false;
  musicRunning_ = true;  // before the mixer can finish it
  if (Mix_PlayMusic(music_, 0) != 0) {
    musicRunning_ = false;
    return false;
  }
  return true;
}

void SdlAudioSystem::CloseMusic() {
  if (music_ != nullptr) {
    Mix_HaltMusic();
    Mix_FreeMusic(music_);
    music_ = nullptr;
  }
  musicRunning_ = false;
}

MusicState SdlAudioSystem::QueryMusic() {
  if (music_ == nullptr) return MusicState::kClosed;
  return Mix_PlayingMusic() != 0 ? MusicState::kPlaying : MusicState::kStopped;
}

void SdlAudioSystem::SetMusicLevel(int level) {
  if (open_) Mix_VolumeMusic(MixerVolumeForLevel(level));
}

// SDL keeps an error text for every thread that met an error; threads it did not
// start must give theirs back.
void SdlAudioSystem::ThreadFinished() { SDL_TLSCleanup(); }

}  // namespace tavlero::platform
