// Level figures of 16-bit audio, as the tools report them and the tests check them:
// peak and RMS in decibels relative to full scale, and where the audible part lies.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio_system.h"

namespace tavlero {

struct AudioFigures {
  double seconds = 0;      // the whole length
  double peakDbfs = -200;  // the largest sample
  double rmsDbfs = -200;   // over the whole length
};

// Interleaved 16-bit samples of any channel count.
AudioFigures MeasureAudio(const std::vector<std::int16_t>& samples, int channels, int sampleRate);

// A PCM sound's samples as 16-bit values (8-bit ones scaled up).
std::vector<std::int16_t> Samples16(const platform::PcmSound& sound);

// The level of each successive window of `windowFrames` frames, in dBFS (RMS over all
// channels of the window).
std::vector<double> LevelEnvelope(const std::vector<std::int16_t>& samples, int channels, int windowFrames);

// The stretch of windows whose level reaches `thresholdDbfs`: [first, last] in windows,
// or first = -1 when none does.
struct AudibleSpan {
  int first = -1;
  int last = -1;
  int Windows() const { return first < 0 ? 0 : last - first + 1; }
};
AudibleSpan FindAudible(const std::vector<double>& envelope, double thresholdDbfs);

double ToDbfs(double linear);  // linear 1.0 = full scale

}  // namespace tavlero
