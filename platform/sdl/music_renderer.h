// Plays a MIDI file through the game's own music back end (SDL2_mixer, FluidSynth, the
// same soundfont) on SDL's disk driver, mixing faster than real time, and keeps what
// a listener would have heard.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio_system.h"

namespace tavlero::platform {

struct RenderedAudio {
  int sampleRate = 0;
  int channels = 0;
  std::vector<std::int16_t> samples;  // interleaved

  double Seconds() const {
    return sampleRate > 0 && channels > 0 ? static_cast<double>(samples.size()) / channels / sampleRate : 0.0;
  }
};

// Renders the whole file at the music level `level` (hundredths of a decibel, 0 full).
// False, with a reason, when there is no audio driver, the file does not play, or it
// plays longer than `maxSeconds`.
bool RenderMusicFile(const std::string& path, int level, RenderedAudio& out, std::string& error,
                     double maxSeconds = 1200.0);

}  // namespace tavlero::platform
