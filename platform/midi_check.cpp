#include "platform/midi_check.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace tavlero::platform {

namespace {

constexpr std::size_t kChunkHead = 8;       // four-letter tag and a 32-bit big-endian length
constexpr std::size_t kMaxFileSize = 16 << 20;  // far above any track of ours

std::uint32_t BigEndian32(const std::uint8_t* at) {
  return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

}  // namespace

bool IsWellFormedMidi(const std::uint8_t* data, std::size_t size) {
  if (size < kChunkHead + 6 || std::memcmp(data, "MThd", 4) != 0) return false;
  const std::uint32_t headerLength = BigEndian32(data + 4);
  if (headerLength < 6 || headerLength > size - kChunkHead) return false;
  const unsigned format = (unsigned{data[8]} << 8) | data[9];
  const unsigned tracks = (unsigned{data[10]} << 8) | data[11];
  if (format > 2 || tracks == 0 || (format == 0 && tracks != 1)) return false;

  std::size_t at = kChunkHead + headerLength;
  unsigned trackChunks = 0;
  while (at < size) {
    if (size - at < kChunkHead) return false;
    const std::uint32_t length = BigEndian32(data + at + 4);
    if (length > size - at - kChunkHead) return false;
    if (std::memcmp(data + at, "MTrk", 4) == 0) ++trackChunks;
    at += kChunkHead + length;
  }
  return trackChunks >= tracks;
}

bool IsWellFormedMidiFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<std::uint8_t> bytes;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (bytes.size() > kMaxFileSize) return false;
  }
  return IsWellFormedMidi(bytes.data(), bytes.size());
}

}  // namespace tavlero::platform
