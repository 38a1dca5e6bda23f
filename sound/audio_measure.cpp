#include "sound/audio_measure.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tavlero {

double ToDbfs(double linear) { return linear > 1e-10 ? 20.0 * std::log10(linear) : -200.0; }

AudioFigures MeasureAudio(const std::vector<std::int16_t>& samples, int channels, int sampleRate) {
  AudioFigures figures;
  if (channels <= 0 || sampleRate <= 0 || samples.empty()) return figures;
  figures.seconds = static_cast<double>(samples.size()) / channels / sampleRate;
  int peak = 0;
  double sum = 0;
  for (std::int16_t sample : samples) {
    peak = std::max(peak, std::abs(static_cast<int>(sample)));
    sum += static_cast<double>(sample) * sample;
  }
  figures.peakDbfs = ToDbfs(peak / 32768.0);
  figures.rmsDbfs = ToDbfs(std::sqrt(sum / samples.size()) / 32768.0);
  return figures;
}

std::vector<std::int16_t> Samples16(const platform::PcmSound& sound) {
  std::vector<std::int16_t> samples;
  if (sound.bitsPerSample == 8) {
    samples.reserve(sound.data.size());
    for (std::uint8_t byte : sound.data) samples.push_back(static_cast<std::int16_t>((byte - 128) * 256));
  } else if (sound.bitsPerSample == 16) {
    samples.reserve(sound.data.size() / 2);
    for (std::size_t at = 0; at + 1 < sound.data.size(); at += 2) {
      samples.push_back(static_cast<std::int16_t>(sound.data[at] | sound.data[at + 1] << 8));
    }
  }
  return samples;
}

std::vector<double> LevelEnvelope(const std::vector<std::int16_t>& samples, int channels, int windowFrames) {
  std::vector<double> envelope;
  if (channels <= 0 || windowFrames <= 0) return envelope;
  const std::size_t window = static_cast<std::size_t>(windowFrames) * channels;
  for (std::size_t start = 0; start < samples.size(); start += window) {
    const std::size_t end = std::min(samples.size(), start + window);
    double sum = 0;
    for (std::size_t at = start; at < end; ++at) sum += static_cast<double>(samples[at]) * samples[at];
    envelope.push_back(ToDbfs(std::sqrt(sum / (end - start)) / 32768.0));
  }
  return envelope;
}

AudibleSpan FindAudible(const std::vector<double>& envelope, double thresholdDbfs) {
  AudibleSpan span;
  for (int at = 0; at < static_cast<int>(envelope.size()); ++at) {
    if (envelope[at] < thresholdDbfs) continue;
    if (span.first < 0) span.first = at;
    span.last = at;
  }
  return span;
}

}  // namespace tavlero
