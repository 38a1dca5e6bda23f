#include "sound/wave_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tavlero {

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint16_t Read16(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Put16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

bool Tag(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* tag) {
  return std::memcmp(bytes.data() + at, tag, 4) == 0;
}

constexpr std::uint16_t kPcmFormat = 1;

}  // namespace

bool ParseWave(const std::vector<std::uint8_t>& file, platform::PcmSound& sound) {
  if (file.size() < 12 || !Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE")) return false;
  bool haveFormat = false;
  platform::PcmSound parsed;
  // Chunks follow one another, each padded to an even length.
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::uint32_t size = Read32(file, at + 4);
    const std::size_t body = at + 8;
    const std::size_t available = file.size() - body;
    if (Tag(file, at, "fmt ")) {
      if (size < 16 || available < 16) return false;
      if (Read16(file, body) != kPcmFormat) return false;
      parsed.channels = Read16(file, body + 2);
      parsed.sampleRate = static_cast<int>(Read32(file, body + 4));
      parsed.bitsPerSample = Read16(file, body + 14);
      haveFormat = true;
    } else if (Tag(file, at, "data")) {
      if (!haveFormat) return false;
      if (parsed.channels < 1 || parsed.channels > 8 || parsed.sampleRate <= 0 ||
          (parsed.bitsPerSample != 8 && parsed.bitsPerSample != 16)) {
        return false;
      }
      const std::size_t length = std::min<std::size_t>(size, available);
      const std::size_t whole = length - length % parsed.BytesPerFrame();
      parsed.data.assign(file.begin() + static_cast<std::ptrdiff_t>(body),
                         file.begin() + static_cast<std::ptrdiff_t>(body + whole));
      sound = std::move(parsed);
      return true;
    }
    if (size > available) return false;
    at = body + size + (size & 1);
  }
  return false;
}

// Appends a chunk tag's four letters.
void PutTag(std::vector<std::uint8_t>& bytes, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::vector<std::uint8_t> EncodeWave(const platform::PcmSound& sound) {
  const auto dataSize = static_cast<std::uint32_t>(sound.data.size());
  const auto blockAlign = static_cast<std::uint16_t>(sound.BytesPerFrame());
  std::vector<std::uint8_t> bytes;
  bytes.reserve(44 + sound.data.size());
  PutTag(bytes, "RIFF");
  Put32(bytes, 36 + dataSize);
  PutTag(bytes, "WAVE");
  PutTag(bytes, "fmt ");
  Put32(bytes, 16);
  Put16(bytes, kPcmFormat);
  Put16(bytes, static_cast<std::uint16_t>(sound.channels));
  Put32(bytes, static_cast<std::uint32_t>(sound.sampleRate));
  Put32(bytes, static_cast<std::uint32_t>(sound.sampleRate) * blockAlign);
  Put16(bytes, blockAlign);
  Put16(bytes, static_cast<std::uint16_t>(sound.bitsPerSample));
  PutTag(bytes, "data");
  Put32(bytes, dataSize);
  bytes.insert(bytes.end(), sound.data.begin(), sound.data.end());
  return bytes;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadWaveFile(const std::string& path, platform::PcmSound& sound) {
  std::vector<std::uint8_t> bytes;
  return ReadWholeFile(path, bytes) && ParseWave(bytes, sound);
}

bool WriteWaveFile(const std::string& path, const platform::PcmSound& sound) {
  const std::vector<std::uint8_t> bytes = EncodeWave(sound);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace tavlero
