// tavlero-tool render-music FILE.mid OUT.wav [VOLUME]: plays a MIDI file through the
// game's own music back end (SDL2_mixer's FluidSynth decoder and the same soundfont),
// faster than real time, writes what a listener hears as a 16-bit stereo wave file and
// prints its length, its peak and its RMS level. VOLUME is the player's music volume,
// 0 ... 65535, by default full (the track as written).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "command.h"
#include "platform/audio_system.h"
#include "platform/sdl/music_renderer.h"
#include "sound/audio_measure.h"
#include "sound/mixer_volume.h"
#include "sound/wave_file.h"

namespace tavlero::tool {
namespace {

int RunRenderMusic(const std::vector<std::string>& args);

const ToolCommand kRenderMusic{"render-music", "render-music FILE.mid OUT.wav [VOLUME]",
                               "render a MIDI file as the game plays it; print its length and levels",
                               RunRenderMusic};
const ToolCommandRegistration kRenderMusicRegistration{kRenderMusic};

constexpr int kDefaultVolume = 65535;

int RunRenderMusic(const std::vector<std::string>& args) {
  if (args.size() != 2 && args.size() != 3) return UsageError(kRenderMusic);
  int volume = kDefaultVolume;
  if (args.size() == 3 && !ParseNumber(args[2], 0, 65535, volume)) return UsageError(kRenderMusic);

  // Ctrl+C stops the tool as it stops any other (SDL would catch it otherwise).
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
  platform::RenderedAudio audio;
  std::string error;
  if (!platform::RenderMusicFile(args[0], MusicLevelForVolume(volume), audio, error)) {
    std::fprintf(stderr, "render-music: %s\n", error.c_str());
    return 1;
  }
  platform::PcmSound sound;
  sound.sampleRate = audio.sampleRate;
  sound.channels = audio.channels;
  sound.bitsPerSample = 16;
  sound.data.resize(audio.samples.size() * 2);
  for (std::size_t at = 0; at < audio.samples.size(); ++at) {
    const auto value = static_cast<std::uint16_t>(audio.samples[at]);
    sound.data[2 * at] = static_cast<std::uint8_t>(value);
    sound.data[2 * at + 1] = static_cast<std::uint8_t>(value >> 8);
  }
  if (!WriteWaveFile(args[1], sound)) {
    std::fprintf(stderr, "render-music: cannot write %s\n", args[1].c_str());
    return 1;
  }
  const AudioFigures figures = MeasureAudio(audio.samples, audio.channels, audio.sampleRate);
  std::printf("%s: %.1f s, peak %.1f dBFS, RMS %.1f dBFS\n", args[0].c_str(), figures.seconds, figures.peakDbfs,
              figures.rmsDbfs);
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
