// JPEG streams: decoded from memory and from a file (as the text box loads the pictures
// a markup text names), and stored as the enciphered chunk of a picture container's
// frame with an alpha plane, which the sprite loader deciphers and decodes.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "gfx/jpeg_codec.h"
#include "gfx/picture_container_writer.h"
#include "gfx/sprite.h"
#include "gfx/surface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavlero;
  int width = 0, height = 0;
  std::vector<std::uint8_t> bgr;
  const bool decoded = DecodeJpegToBgr(data, size, width, height, bgr);
  if (decoded) {
    fuzz::Require(width > 0 && height > 0 && bgr.size() == static_cast<std::size_t>(width) * height * 3,
                  "a decoded picture's buffer does not match its size");
  }
  OSurface surface(4, 4);
  DecodeJpegMemory(surface, data, size, 0);
  if (size == 0) return 0;

  const fuzz::MemoryFile plainFile(fuzz::AsText(data, size));
  OSurface fromFile(1, 1);
  OSurface::LoadJpegFile(fromFile, plainFile.Path(), 0);

  // The frame header names the decoded size when there is one, a small square else.
  PictureFrame frame;
  frame.width = decoded ? width : 8;
  frame.height = decoded ? height : 8;
  frame.type = clp::kTypeJpegAlpha;
  frame.jpegStream.assign(data, data + size);
  frame.alpha.assign(static_cast<std::size_t>(frame.width) * frame.height, 0x80);
  PictureContainer container;
  container.AddFrame(std::move(frame));
  std::vector<std::uint8_t> bytes;
  std::string error;
  fuzz::Require(EncodePictureContainer(container, bytes, error), "the container could not be written");
  const fuzz::MemoryFile containerFile(fuzz::AsText(bytes.data(), bytes.size()));
  OSprite sprite;
  const bool loaded = sprite.Load(containerFile.Path());
  fuzz::Require(loaded == decoded, "the loader and the decoder disagree about a stream");
  return 0;
}
