#include "gfx/picture_container_writer.h"

#include <cstdio>

#include "gfx/jpeg_codec.h"
#include "store/block_cipher.h"

namespace tavlero {
namespace {

void PutInt(std::vector<std::uint8_t>& bytes, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutBytes(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

bool Fail(std::string& error, const std::string& message) {
  error = message;
  return false;
}

bool PutFrame(std::vector<std::uint8_t>& bytes, const PictureFrame& frame, int index, std::string& error) {
  const std::string name = "frame " + std::to_string(index);
  if (frame.width <= 0 || frame.height <= 0) return Fail(error, name + ": empty picture");
  const std::size_t pixels = static_cast<std::size_t>(frame.width) * frame.height;
  const bool jpeg = clp::IsJpegType(frame.type);
  if (!(jpeg && !frame.jpegStream.empty()) && frame.bgr.size() != pixels * 3)
    return Fail(error, name + ": pixel buffer is not width x height x 3 bytes");
  if (clp::HasAlphaPlane(frame.type) && frame.alpha.size() != pixels)
    return Fail(error, name + ": alpha plane is not width x height bytes");

  PutInt(bytes, frame.width);
  PutInt(bytes, frame.height);
  PutInt(bytes, frame.type);
  if (jpeg) {
    std::vector<std::uint8_t> stream = frame.jpegStream;
    if (stream.empty() &&
        !EncodeJpegFromBgr(frame.bgr.data(), frame.width, frame.height, frame.jpegQuality, stream))
      return Fail(error, name + ": JPEG compression failed");
    std::vector<std::uint8_t> sealed(static_cast<std::size_t>(SealedCipherLength(
        static_cast<std::ptrdiff_t>(stream.size()))));
    const std::ptrdiff_t stored =
        EncipherBuffer(stream.data(), static_cast<std::ptrdiff_t>(stream.size()), sealed.data(),
                       static_cast<std::ptrdiff_t>(sealed.size()), clp::kChunkKey);
    if (stored != static_cast<std::ptrdiff_t>(sealed.size())) return Fail(error, name + ": enciphering failed");
    PutInt(bytes, static_cast<std::int64_t>(stream.size()));
    PutInt(bytes, stored);
    PutBytes(bytes, sealed);
  } else {
    PutBytes(bytes, frame.bgr);
  }
  if (clp::HasAlphaPlane(frame.type)) PutBytes(bytes, frame.alpha);
  return true;
}

}  // namespace

PictureFrame PictureFrame::Raw(int width, int height, std::vector<std::uint8_t> bgr,
                               std::vector<std::uint8_t> alpha) {
  PictureFrame frame;
  frame.width = width;
  frame.height = height;
  frame.type = alpha.empty() ? clp::kTypeRaw : clp::kTypeRawAlpha;
  frame.bgr = std::move(bgr);
  frame.alpha = std::move(alpha);
  return frame;
}

PictureFrame PictureFrame::Jpeg(int width, int height, std::vector<std::uint8_t> bgr,
                                std::vector<std::uint8_t> alpha, int quality) {
  PictureFrame frame = Raw(width, height, std::move(bgr), std::move(alpha));
  frame.type = frame.alpha.empty() ? clp::kTypeJpeg : clp::kTypeJpegAlpha;
  frame.jpegQuality = quality;
  return frame;
}

bool EncodePictureContainer(const PictureContainer& container, std::vector<std::uint8_t>& bytes,
                            std::string& error) {
  const int frameCount = static_cast<int>(container.frames.size());
  if (container.frames.size() > static_cast<std::size_t>(clp::kMaxFrames))
    return Fail(error, "more than 1000 frames");
  const bool sheet = container.sheetWidth != 0 || container.sheetHeight != 0;
  if (sheet) {
    if (container.sheetWidth <= 0 || container.sheetHeight <= 0 || container.sheetWidth > 0xFFFF ||
        container.sheetHeight > 0xFFFF)
      return Fail(error, "sheet size out of range");
    int used = 0;
    for (const auto& frame : container.frames) {
      used += frame.width;
      if (used > container.sheetWidth || frame.height > container.sheetHeight)
        return Fail(error, "the frames do not fit side by side into the sheet");
    }
  }
  for (std::size_t s = 0; s < container.sequences.size(); ++s)
    for (const auto& entry : container.sequences[s])
      if (entry.frame < 0 || entry.frame >= frameCount)
        return Fail(error, "sequence " + std::to_string(s) + " names frame " + std::to_string(entry.frame) +
                               " of " + std::to_string(frameCount));

  std::vector<std::uint8_t> out(clp::kMagic.begin(), clp::kMagic.end());
  PutInt(out, frameCount);
  PutInt(out, static_cast<std::int64_t>(container.sequences.size()));
  PutInt(out, sheet ? clp::SheetSize(container.sheetWidth, container.sheetHeight) : 0);
  PutInt(out, 0);  // reserved
  for (int i = 0; i < frameCount; ++i)
    if (!PutFrame(out, container.frames[i], i, error)) return false;
  for (const auto& sequence : container.sequences) {
    PutInt(out, static_cast<std::int64_t>(sequence.size()));
    for (const auto& entry : sequence) {
      PutInt(out, entry.offsetX);
      PutInt(out, entry.offsetY);
      PutInt(out, entry.frame);
      PutInt(out, entry.colourKey);
      PutInt(out, entry.command);
      PutInt(out, entry.argument1);
      PutInt(out, entry.argument2);
    }
  }
  bytes.swap(out);
  return true;
}

bool WritePictureContainer(const PictureContainer& container, const std::string& path, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!EncodePictureContainer(container, bytes, error)) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return Fail(error, "cannot create " + path);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) return Fail(error, "cannot write " + path);
  return true;
}

}  // namespace tavlero
