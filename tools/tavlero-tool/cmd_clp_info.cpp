// tavlero-tool clp-info FILE: the records of a picture container as stored in the file.
//
//   file: PATH (BYTES bytes)
//   frames: N  sequences: S  sheet: WxH | none
//   frame I: WxH type T (raw|raw+alpha|jpeg|jpeg+alpha) [chunk plain P stored S] at OFFSET
//   sequence I: N entries at OFFSET
//     entry K: frame F offset X,Y key 0xRRGGBB|top-left|-1 step C A1 A2
//   end: all records read[, N bytes after the last record]
//   stopped: WHY at OFFSET          (instead of "end" when the file breaks off)
//
// Exit code 0 when every record could be read, 1 when the file stops early or is not a
// picture container.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "gfx/picture_container_format.h"
#include "store/block_cipher.h"

namespace tavlero::tool {
namespace {

int RunClpInfo(const std::vector<std::string>& args);

const ToolCommand kClpInfo{"clp-info", "clp-info FILE", "list the frames and sequences of a picture container",
                           RunClpInfo};
const ToolCommandRegistration kClpInfoRegistration{kClpInfo};

class Bytes {
 public:
  explicit Bytes(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
  std::size_t Position() const { return position_; }
  std::size_t Remaining() const { return data_.size() - position_; }
  bool Int(std::int32_t& value) {
    if (Remaining() < 4) return false;
    const std::uint8_t* p = data_.data() + position_;
    value = static_cast<std::int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
    position_ += 4;
    return true;
  }
  bool Skip(std::uint64_t count) {
    if (count > Remaining()) return false;
    position_ += static_cast<std::size_t>(count);
    return true;
  }
  const std::uint8_t* Here() const { return data_.data() + position_; }

 private:
  std::vector<std::uint8_t> data_;
  std::size_t position_ = 0;
};

const char* TypeName(std::int32_t type) {
  if (type == clp::kTypeJpeg) return "jpeg";
  if (type == clp::kTypeJpegAlpha) return "jpeg+alpha";
  return clp::HasAlphaPlane(type) ? "raw+alpha" : "raw";
}

std::string KeyText(std::int32_t key) {
  if (key < 0) return "-1";
  if (key >= clp::kKeyFromTopLeft) return "top-left";
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(key));
  return text;
}

int Stopped(const char* why, std::size_t offset) {
  std::printf("stopped: %s at %zu\n", why, offset);
  return 1;
}

int RunClpInfo(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError(kClpInfo);
  std::FILE* file = std::fopen(args[0].c_str(), "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "tavlero-tool: cannot open '%s'\n", args[0].c_str());
    return 1;
  }
  std::vector<std::uint8_t> data;
  std::uint8_t buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) data.insert(data.end(), buffer, buffer + got);
  std::fclose(file);
  std::printf("file: %s (%zu bytes)\n", args[0].c_str(), data.size());
  Bytes in(std::move(data));

  if (in.Remaining() < static_cast<std::size_t>(clp::kHeaderSize)) return Stopped("short header", 0);
  if (std::string_view(reinterpret_cast<const char*>(in.Here()), clp::kMagic.size()) != clp::kMagic)
    return Stopped("not a picture container (wrong magic)", 0);
  in.Skip(clp::kMagic.size());
  std::int32_t frames = 0, sequences = 0, sheet = 0, reserved = 0;
  in.Int(frames);
  in.Int(sequences);
  in.Int(sheet);
  in.Int(reserved);
  std::printf("frames: %d  sequences: %d  sheet: ", frames, sequences);
  if (sheet == 0)
    std::printf("none\n");
  else
    std::printf("%ux%u\n", static_cast<unsigned>(sheet) >> 16, static_cast<unsigned>(sheet) & 0xFFFF);
  if (frames > clp::kMaxFrames) return Stopped("more than 1000 frames", 12);

  for (std::int32_t i = 0; i < frames; ++i) {
    const std::size_t at = in.Position();
    std::int32_t width = 0, height = 0, type = 0;
    if (!in.Int(width) || !in.Int(height) || !in.Int(type)) return Stopped("short frame header", at);
    std::printf("frame %d: %dx%d type %d (%s)", i, width, height, type, TypeName(type));
    if (width <= 0 || height <= 0) {
      std::printf("\n");
      return Stopped("empty picture size", at);
    }
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (clp::IsJpegType(type)) {
      std::int32_t plain = 0, stored = 0;
      if (!in.Int(plain) || !in.Int(stored)) {
        std::printf("\n");
        return Stopped("short chunk header", at);
      }
      std::printf(" chunk plain %d stored %d", plain, stored);
      std::vector<std::uint8_t> deciphered(stored > 0 ? static_cast<std::size_t>(stored) + 10 : 0);
      if (stored < 0 || !in.Skip(static_cast<std::uint64_t>(stored))) {
        std::printf(" at %zu\n", at);
        return Stopped("short chunk", at);
      }
      const std::ptrdiff_t length = DecipherBuffer(in.Here() - stored, stored, deciphered.data(),
                                                   static_cast<std::ptrdiff_t>(deciphered.size()), clp::kChunkKey);
      if (length != plain || length <= 0 || length > stored / 8 * 8) {
        std::printf(" at %zu\n", at);
        return Stopped("chunk does not decipher to its plain length", at);
      }
    } else if (!in.Skip(pixels * 3)) {
      std::printf(" at %zu\n", at);
      return Stopped("short pixel data", at);
    }
    if (clp::HasAlphaPlane(type) && !in.Skip(pixels)) {
      std::printf(" at %zu\n", at);
      return Stopped("short alpha plane", at);
    }
    std::printf(" at %zu\n", at);
  }

  for (std::int32_t s = 0; s < sequences; ++s) {
    const std::size_t at = in.Position();
    std::int32_t entries = 0;
    if (!in.Int(entries)) return Stopped("short sequence record", at);
    std::printf("sequence %d: %d entries at %zu\n", s, entries, at);
    for (std::int32_t k = 0; k < entries; ++k) {
      const std::size_t entryAt = in.Position();
      std::int32_t v[7];
      for (auto& value : v)
        if (!in.Int(value)) return Stopped("short sequence entry", entryAt);
      std::printf("  entry %d: frame %d offset %d,%d key %s step %d %d %d\n", k, v[2], v[0], v[1], KeyText(v[3]).c_str(),
                  v[4], v[5], v[6]);
      if (v[2] < 0 || v[2] >= frames) return Stopped("frame index out of range", entryAt);
    }
  }
  if (in.Remaining() > 0)
    std::printf("end: all records read, %zu bytes after the last record\n", in.Remaining());
  else
    std::printf("end: all records read\n");
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
