// A small additive and noise synthesiser for the game's effects: tones with pitch
// glides, struck resonators (sums of decaying partials), filtered noise bursts, all
// mixed into one mono signal that is then levelled and written as 16-bit PCM.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/audio_system.h"

namespace tavlero::sounds {

constexpr int kRate = 44100;

struct Signal {
  std::vector<double> samples;  // mono, 1.0 = full scale
  explicit Signal(double seconds);
  double Seconds() const { return static_cast<double>(samples.size()) / kRate; }
};

// One partial of a struck body: frequency ratio to the fundamental, amplitude, decay
// time constant in seconds.
struct Partial {
  double ratio;
  double amplitude;
  double decay;
};

// A tone from `start` lasting `length` seconds whose pitch glides exponentially from
// `fromHz` to `toHz`, made of harmonics 1, 2, ... with the given amplitudes, shaped by
// a linear attack and an exponential decay (time constant `decay`) and a short fade at
// its end. `vibratoHz`/`vibratoDepth` (a fraction of the pitch) add a gentle vibrato.
struct Tone {
  double start = 0, length = 0.2;
  double fromHz = 440, toHz = 440;
  std::vector<double> harmonics = {1.0};
  double amplitude = 1.0;
  double attack = 0.005;
  double decay = 1.0;
  double vibratoHz = 0, vibratoDepth = 0;
};
void AddTone(Signal& signal, const Tone& tone);

// A struck resonator at `fundamentalHz`: each partial starts at once and dies away.
void AddStrike(Signal& signal, double start, double fundamentalHz, const std::vector<Partial>& partials,
               double amplitude);

// A noise burst band-limited between `lowHz` and `highHz`, with a linear attack and an
// exponential decay; `seed` makes it repeatable.
struct NoiseBurst {
  double start = 0, length = 0.05;
  double lowHz = 200, highHz = 4000;
  double amplitude = 0.5;
  double attack = 0.001;
  double decay = 0.01;
  std::uint32_t seed = 1;
};
void AddNoise(Signal& signal, const NoiseBurst& burst);

// Scales the signal so that its largest sample is `peakDbfs`, fading the last
// `fadeSeconds` to silence so it ends without a click.
void Finish(Signal& signal, double peakDbfs, double fadeSeconds = 0.01);

platform::PcmSound ToPcm16(const Signal& signal);

// A repeatable pseudo-random value in [0, 1).
double NextUnit(std::uint32_t& state);

}  // namespace tavlero::sounds
