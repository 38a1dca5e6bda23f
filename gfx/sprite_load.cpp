// OSprite::Load: fills a sprite from a picture container file (gfx/picture_container_format.h).
//
// The load stops at the first record it cannot use (a short read, a wrong magic, more
// than 1000 frames, a chunk that does not decipher to its stated length, a picture the
// JPEG decoder refuses, a sequence entry naming a frame that does not exist). The
// sprite keeps what was appended before the stop: nothing when the stop came while the
// frames were read, the finished sequence entries when it came later. Every allocation
// is checked against what the rest of the file can hold, so a damaged or hand-made
// file cannot make the loader allocate more than the file could describe.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "gfx/jpeg_codec.h"
#include "gfx/picture_container_format.h"
#include "gfx/sprite.h"
#include "store/block_cipher.h"

namespace tavlero {
namespace {

// A container file opened for reading, with its size known so that every length read
// from it can be checked before anything is allocated for it.
class ContainerFile {
 public:
  explicit ContainerFile(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
    if (file_ == nullptr) return;
    if (std::fseek(file_, 0, SEEK_END) == 0) size_ = std::ftell(file_);
    if (size_ < 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
      std::fclose(file_);
      file_ = nullptr;
    }
  }
  ~ContainerFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  ContainerFile(const ContainerFile&) = delete;
  ContainerFile& operator=(const ContainerFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  std::uint64_t Size() const { return static_cast<std::uint64_t>(size_); }
  std::uint64_t Remaining() const { return static_cast<std::uint64_t>(size_ - position_); }

  bool Read(void* out, std::uint64_t count) {
    if (count > Remaining()) return false;
    if (count == 0) return true;
    const std::size_t got = std::fread(out, 1, static_cast<std::size_t>(count), file_);
    position_ += static_cast<long>(got);
    return got == count;
  }
  bool ReadInt(std::int32_t& value) {
    std::uint8_t bytes[4];
    if (!Read(bytes, 4)) return false;
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                                      (static_cast<std::uint32_t>(bytes[2]) << 16) |
                                      (static_cast<std::uint32_t>(bytes[3]) << 24));
    return true;
  }
  // The whole of `count` bytes in a fresh buffer; false (nothing allocated) when the
  // file does not hold that many.
  bool ReadBlock(std::uint64_t count, std::vector<std::uint8_t>& out) {
    if (count > Remaining()) return false;
    out.resize(static_cast<std::size_t>(count));
    return Read(out.data(), count);
  }

 private:
  std::FILE* file_ = nullptr;
  long size_ = -1;
  long position_ = 0;
};

// Drawing offsets are kept within this band. One further out shows nothing on any
// screen either way, and a damaged file's offset near the ends of the 32-bit range
// would overflow the screens' arithmetic when added to the sprite's position.
constexpr std::int32_t kMaxFrameOffset = 1 << 24;

std::int32_t Int32At(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                                   (static_cast<std::uint32_t>(p[2]) << 16) |
                                   (static_cast<std::uint32_t>(p[3]) << 24));
}

// The shared sheet a container asks for, or none. A sheet larger than the file could
// ever fill (even with the densest JPEG frames) is not made; the frames then get
// bitmaps of their own, which is how a container without a sheet loads anyway.
std::shared_ptr<OSheet> MakeSheet(std::uint32_t sheetSize, std::uint64_t fileSize) {
  const int width = static_cast<int>(sheetSize >> 16);
  const int height = static_cast<int>(sheetSize & 0xFFFF);
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  if (pixels > JpegPixelLimit(static_cast<std::size_t>(fileSize))) return nullptr;
  return OSheet::Create(width, height);
}

// Reads one enciphered JPEG chunk and decodes it into the frame. `pixelCount` is the
// size the frame header claims.
bool ReadJpegChunk(ContainerFile& file, std::unique_ptr<OSurface>& frame, int width, int height,
                   std::uint64_t pixelCount, const std::shared_ptr<OSheet>& sheet) {
  std::int32_t plainLength = 0, storedLength = 0;
  if (!file.ReadInt(plainLength) || !file.ReadInt(storedLength) || storedLength < 0) return false;
  std::vector<std::uint8_t> stored;
  if (!file.ReadBlock(static_cast<std::uint64_t>(storedLength), stored)) return false;
  std::vector<std::uint8_t> plain(stored.size() + 10);
  const std::ptrdiff_t deciphered =
      DecipherBuffer(stored.data(), static_cast<std::ptrdiff_t>(stored.size()), plain.data(),
                     static_cast<std::ptrdiff_t>(plain.size()), clp::kChunkKey);
  // The length comes out of the last block unchecked; one larger than the whole blocks
  // would point past the deciphered bytes.
  const std::ptrdiff_t wholeBlocks = static_cast<std::ptrdiff_t>(stored.size()) / 8 * 8;
  if (deciphered <= 0 || deciphered != plainLength || deciphered > wholeBlocks) return false;
  // The frame header's size must be one the stream could describe before a bitmap of
  // that size is made.
  if (pixelCount > JpegPixelLimit(static_cast<std::size_t>(deciphered))) return false;
  frame = std::make_unique<OSurface>(width, height, sheet);
  if (frame->failed || !frame->HasPixels()) return false;
  return DecodeJpegMemory(*frame, plain.data(), static_cast<std::size_t>(deciphered), 0);
}

bool ReadRawPixels(ContainerFile& file, std::unique_ptr<OSurface>& frame, int width, int height,
                   std::uint64_t pixelCount, const std::shared_ptr<OSheet>& sheet) {
  std::vector<std::uint8_t> pixels;
  if (!file.ReadBlock(pixelCount * 3, pixels)) return false;
  frame = std::make_unique<OSurface>(width, height, sheet);
  if (frame->failed || !frame->HasPixels()) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* source = pixels.data() + rowBytes * y;
    std::uint8_t* target = frame->Row(y);
    for (std::size_t i = 0; i < rowBytes; ++i) target[i] = source[i];
  }
  return true;
}

// The plane is stored top row first; in memory its rows run bottom-up like the pixels.
bool ReadAlphaPlane(ContainerFile& file, OSurface& frame, int width, int height, std::uint64_t pixelCount) {
  std::vector<std::uint8_t> values;
  if (!file.ReadBlock(pixelCount, values)) return false;
  std::uint8_t* plane = frame.CreateTransparencyPlane();
  if (plane == nullptr) return false;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* source = values.data() + static_cast<std::size_t>(width) * y;
    std::uint8_t* target = plane + static_cast<std::size_t>(width) * (height - 1 - y);
    for (int x = 0; x < width; ++x) target[x] = source[x];
  }
  return true;
}

// One frame record. False stops the load.
bool ReadFrame(ContainerFile& file, const std::shared_ptr<OSheet>& sheet, std::unique_ptr<OSurface>& frame) {
  std::int32_t width = 0, height = 0, type = 0;
  if (!file.ReadInt(width) || !file.ReadInt(height) || !file.ReadInt(type)) return false;
  if (width <= 0 || height <= 0) return false;
  const std::uint64_t pixelCount = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  const bool read = clp::IsJpegType(type) ? ReadJpegChunk(file, frame, width, height, pixelCount, sheet)
                                          : ReadRawPixels(file, frame, width, height, pixelCount, sheet);
  if (!read) return false;
  if (!clp::HasAlphaPlane(type)) return true;
  // The plane has the frame header's size; a stream of another size would leave
  // picture and plane disagreeing.
  if (frame->Width() != width || frame->Height() != height) return false;
  return ReadAlphaPlane(file, *frame, width, height, pixelCount);
}

void ApplyEntryKey(OSurface& frame, std::int32_t key) {
  if (key < 0)
    frame.colourKey = -1;
  else if (key < clp::kKeyFromTopLeft)
    frame.colourKey = key;
  else
    frame.colourKey = static_cast<int>(frame.PixelAt(0, 0));
}

}  // namespace

bool OSprite::Load(const std::string& path) {
  Reset();
  ContainerFile file(path);
  if (!file.IsOpen()) return false;
  std::uint8_t header[clp::kHeaderSize];
  if (!file.Read(header, sizeof header)) return false;
  if (std::string_view(reinterpret_cast<const char*>(header), clp::kMagic.size()) != clp::kMagic) return false;
  const std::int32_t frameCount = Int32At(header + 12);
  const std::int32_t sequenceCount = Int32At(header + 16);
  const auto sheetSize = static_cast<std::uint32_t>(Int32At(header + 20));
  if (frameCount > clp::kMaxFrames) return false;

  sheet = sheetSize == 0 ? nullptr : MakeSheet(sheetSize, file.Size());

  // Frames read but not yet appended are owned here and released at the end.
  const int count = frameCount > 0 ? frameCount : 0;
  std::vector<std::unique_ptr<OSurface>> unused(static_cast<std::size_t>(count));
  std::vector<OSurface*> pictures(static_cast<std::size_t>(count), nullptr);
  for (int i = 0; i < count; ++i) {
    if (!ReadFrame(file, sheet, unused[i])) return false;
    pictures[i] = unused[i].get();
  }

  if (sequenceCount == 0) {
    for (int i = 0; i < count; ++i) {
      OSurface* frame = unused[i].release();
      frame->colourKey = static_cast<int>(frame->PixelAt(0, 0));
      AddFrame(frame);
    }
    return HasContent();
  }

  for (std::int32_t s = 0; s < sequenceCount; ++s) {
    std::int32_t entryCount = 0;
    if (!file.ReadInt(entryCount)) break;
    OSprite* target = sequenceCount == 1 ? this : AddSubSprite();
    bool stop = false;
    for (std::int32_t k = 0; k < entryCount; ++k) {
      std::uint8_t entry[clp::kEntrySize];
      if (!file.Read(entry, sizeof entry)) {
        stop = true;
        break;
      }
      const std::int32_t index = Int32At(entry + 8);
      if (index < 0 || index >= count) {
        stop = true;
        break;
      }
      // The first use takes the frame itself; later uses share its pixels.
      OSurface* frame = unused[index] ? unused[index].release() : new OSurface(*pictures[index]);
      frame->offsetX = std::clamp(Int32At(entry + 0), -kMaxFrameOffset, kMaxFrameOffset);
      frame->offsetY = std::clamp(Int32At(entry + 4), -kMaxFrameOffset, kMaxFrameOffset);
      ApplyEntryKey(*frame, Int32At(entry + 12));
      frame->command = Int32At(entry + 16);
      frame->argument1 = Int32At(entry + 20);
      frame->argument2 = Int32At(entry + 24);
      target->AddFrame(frame);
    }
    if (stop) break;
  }
  return HasContent();
}

}  // namespace tavlero
