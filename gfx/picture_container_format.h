// The picture container file (".clp"): a 28-byte header, the frame records, then the
// sequence records; all integers 32-bit little-endian, no padding, no trailer.
//
//   header    "kelvarto clp", frame count (at most 1000), sequence count, sheet size
//             (0, or width << 16 | height of one bitmap shared by all frames), reserved
//   frame     width, height, type, then the pixels: raw (width x height x 3 bytes,
//             top row first, blue green red) or an enciphered JPEG chunk (plain length,
//             stored length, stored bytes); types 4, 5, 6 and 26 add an alpha plane of
//             width x height bytes (0 opaque ... 255 invisible, top row first)
//   sequence  entry count, then 28-byte entries: offset x, offset y, frame index,
//             colour key, command, argument 1, argument 2
#pragma once

#include <cstdint>
#include <string_view>

namespace tavlero::clp {

inline constexpr std::string_view kMagic = "kelvarto clp";
inline constexpr int kHeaderSize = 28;
inline constexpr int kFrameHeaderSize = 12;
inline constexpr int kChunkHeaderSize = 8;
inline constexpr int kEntrySize = 28;
inline constexpr int kMaxFrames = 1000;
// Key of the block layer that enciphers the JPEG chunks.
inline constexpr std::string_view kChunkKey = "TileLock";

// Frame types the writer produces; the reader treats every other value as raw.
inline constexpr std::int32_t kTypeRaw = 0;
inline constexpr std::int32_t kTypeRawAlpha = 4;
inline constexpr std::int32_t kTypeJpeg = 10;
inline constexpr std::int32_t kTypeJpegAlpha = 26;

// A colour key at or above this value means "the colour of the frame's top-left pixel".
inline constexpr std::int32_t kKeyFromTopLeft = 0x1000000;
// A negative colour key leaves the frame without a key.
inline constexpr std::int32_t kNoKey = -1;

constexpr bool IsJpegType(std::int32_t type) { return type == kTypeJpeg || type == kTypeJpegAlpha; }
constexpr bool HasAlphaPlane(std::int32_t type) {
  return type == 4 || type == 5 || type == 6 || type == kTypeJpegAlpha;
}

constexpr std::uint32_t SheetSize(int width, int height) {
  return (static_cast<std::uint32_t>(width) << 16) | (static_cast<std::uint32_t>(height) & 0xFFFF);
}

}  // namespace tavlero::clp
