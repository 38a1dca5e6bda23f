#include "synth.h"

#include <algorithm>
#include <cmath>

namespace tavlero::sounds {

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Envelope(double t, double length, double attack, double decay) {
  if (t < 0 || t >= length) return 0;
  const double rise = attack > 0 ? std::min(1.0, t / attack) : 1.0;
  const double fall = std::exp(-t / decay);
  // A short fade where the tone stops, so it ends without a click.
  const double tail = std::min(1.0, (length - t) / std::min(0.025, length / 4));
  return rise * fall * tail;
}

std::size_t Index(double seconds) { return static_cast<std::size_t>(std::max(0.0, seconds) * kRate); }

}  // namespace

Signal::Signal(double seconds) : samples(Index(seconds), 0.0) {}

double NextUnit(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return (state >> 8) / 16777216.0;
}

void AddTone(Signal& signal, const Tone& tone) {
  const std::size_t first = Index(tone.start);
  const std::size_t count = Index(tone.length);
  const double glide = std::log(tone.toHz / tone.fromHz);
  double phase = 0;
  for (std::size_t i = 0; i < count && first + i < signal.samples.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double hz = tone.fromHz * std::exp(glide * std::min(1.0, t / tone.length));
    if (tone.vibratoHz > 0) hz *= 1.0 + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
    phase += kTwoPi * hz / kRate;
    double value = 0;
    for (std::size_t h = 0; h < tone.harmonics.size(); ++h) {
      if ((h + 1) * hz < kRate / 2.0) value += tone.harmonics[h] * std::sin(phase * static_cast<double>(h + 1));
    }
    signal.samples[first + i] += tone.amplitude * Envelope(t, tone.length, tone.attack, tone.decay) * value;
  }
}

void AddStrike(Signal& signal, double start, double fundamentalHz, const std::vector<Partial>& partials,
               double amplitude) {
  const std::size_t first = Index(start);
  for (const Partial& partial : partials) {
    const double hz = fundamentalHz * partial.ratio;
    if (hz >= kRate / 2.0) continue;
    const std::size_t count = Index(partial.decay * 9);  // below -75 dB
    for (std::size_t i = 0; i < count && first + i < signal.samples.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double rise = std::min(1.0, t / 0.0005);  // a struck body starts almost at once
      signal.samples[first + i] +=
          amplitude * partial.amplitude * rise * std::exp(-t / partial.decay) * std::sin(kTwoPi * hz * t);
    }
  }
}

void AddNoise(Signal& signal, const NoiseBurst& burst) {
  const std::size_t first = Index(burst.start);
  const std::size_t count = Index(burst.length);
  // Two one-pole filters: a low-pass at highHz, then a high-pass at lowHz.
  const double lowPass = 1.0 - std::exp(-kTwoPi * burst.highHz / kRate);
  const double highPass = std::exp(-kTwoPi * burst.lowHz / kRate);
  std::uint32_t state = burst.seed;
  double smoothed = 0, previousIn = 0, previousOut = 0;
  for (std::size_t i = 0; i < count && first + i < signal.samples.size(); ++i) {
    const double white = NextUnit(state) * 2 - 1;
    smoothed += lowPass * (white - smoothed);
    const double band = highPass * (previousOut + smoothed - previousIn);
    previousIn = smoothed;
    previousOut = band;
    const double t = static_cast<double>(i) / kRate;
    signal.samples[first + i] += burst.amplitude * Envelope(t, burst.length, burst.attack, burst.decay) * band;
  }
}

void Finish(Signal& signal, double peakDbfs, double fadeSeconds) {
  double peak = 0;
  for (double sample : signal.samples) peak = std::max(peak, std::abs(sample));
  if (peak <= 0) return;
  const double gain = std::pow(10.0, peakDbfs / 20.0) / peak;
  const std::size_t fade = std::min(signal.samples.size(), Index(fadeSeconds));
  for (std::size_t i = 0; i < signal.samples.size(); ++i) {
    double value = signal.samples[i] * gain;
    const std::size_t left = signal.samples.size() - i;
    if (left <= fade) value *= static_cast<double>(left - 1) / fade;
    signal.samples[i] = value;
  }
}

platform::PcmSound ToPcm16(const Signal& signal) {
  platform::PcmSound sound;
  sound.sampleRate = kRate;
  sound.channels = 1;
  sound.bitsPerSample = 16;
  sound.data.reserve(signal.samples.size() * 2);
  for (double sample : signal.samples) {
    const auto value = static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 32767.0 / 32768.0) * 32768.0));
    sound.data.push_back(static_cast<std::uint8_t>(value & 0xFF));
    sound.data.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  return sound;
}

}  // namespace tavlero::sounds
