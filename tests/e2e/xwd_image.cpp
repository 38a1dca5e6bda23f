#include "xwd_image.h"

#include <bit>

namespace tavlero::e2e {
namespace {

// The fixed part of the header: 25 big-endian 32-bit fields, then the window name.
enum HeaderField {
  kHeaderSize, kFileVersion, kPixmapFormat, kPixmapDepth, kPixmapWidth, kPixmapHeight, kXOffset,
  kByteOrder, kBitmapUnit, kBitmapBitOrder, kBitmapPad, kBitsPerPixel, kBytesPerLine, kVisualClass,
  kRedMask, kGreenMask, kBlueMask, kBitsPerRgb, kColormapEntries, kColourCount, kFieldCount = 25
};
constexpr std::uint32_t kZPixmap = 2;
constexpr std::uint32_t kLsbFirst = 0;
constexpr std::size_t kColourEntrySize = 12;  // pixel, red, green, blue, flags, pad

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// The 8-bit value of a colour channel given by its mask.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t value = (pixel & mask) >> shift;
  const std::uint32_t top = mask >> shift;
  return static_cast<std::uint8_t>(value * 255 / top);
}

}  // namespace

std::uint32_t RgbImage::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
  return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
}

RgbImage RgbImage::Crop(int x, int y, int partWidth, int partHeight) const {
  RgbImage part;
  part.width = partWidth > 0 ? partWidth : 0;
  part.height = partHeight > 0 ? partHeight : 0;
  part.rgb.assign(static_cast<std::size_t>(part.width) * part.height * 3, 0);
  for (int row = 0; row < part.height; ++row) {
    for (int column = 0; column < part.width; ++column) {
      const std::uint32_t pixel = Pixel(x + column, y + row);
      std::uint8_t* p = &part.rgb[(static_cast<std::size_t>(row) * part.width + column) * 3];
      p[0] = static_cast<std::uint8_t>(pixel >> 16);
      p[1] = static_cast<std::uint8_t>(pixel >> 8);
      p[2] = static_cast<std::uint8_t>(pixel);
    }
  }
  return part;
}

std::vector<std::uint8_t> RgbImage::ToRgba() const {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(rgb.size() / 3 * 4);
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
    rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  }
  return rgba;
}

bool DecodeXwd(const std::vector<std::uint8_t>& file, RgbImage& image, std::string& error) {
  if (file.size() < kFieldCount * 4) {
    error = "shorter than an XWD header";
    return false;
  }
  std::uint32_t field[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) field[i] = BigEndian32(&file[i * 4]);
  const std::uint32_t bitsPerPixel = field[kBitsPerPixel];
  if (field[kFileVersion] != 7 || field[kPixmapFormat] != kZPixmap || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
    error = "not a 24- or 32-bit Z-pixmap XWD file (version " + std::to_string(field[kFileVersion]) + ", format " +
            std::to_string(field[kPixmapFormat]) + ", " + std::to_string(bitsPerPixel) + " bits a pixel)";
    return false;
  }
  const std::uint64_t width = field[kPixmapWidth], height = field[kPixmapHeight];
  const std::uint64_t stride = field[kBytesPerLine];
  const std::uint64_t bytesPerPixel = bitsPerPixel / 8;
  const std::uint64_t pixelsStart =
      std::uint64_t{field[kHeaderSize]} + std::uint64_t{field[kColourCount]} * kColourEntrySize;
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || stride < width * bytesPerPixel ||
      pixelsStart + stride * height > file.size()) {
    error = "XWD header does not match the file's size";
    return false;
  }
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgb.assign(width * height * 3, 0);
  const bool littleEndian = field[kByteOrder] == kLsbFirst;
  for (std::uint64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = &file[pixelsStart + y * stride];
    for (std::uint64_t x = 0; x < width; ++x) {
      const std::uint8_t* bytes = row + x * bytesPerPixel;
      std::uint32_t pixel = 0;
      for (std::uint64_t b = 0; b < bytesPerPixel; ++b) {
        const std::uint64_t index = littleEndian ? bytesPerPixel - 1 - b : b;
        pixel = pixel << 8 | bytes[index];
      }
      std::uint8_t* out = &image.rgb[(y * width + x) * 3];
      out[0] = Channel(pixel, field[kRedMask]);
      out[1] = Channel(pixel, field[kGreenMask]);
      out[2] = Channel(pixel, field[kBlueMask]);
    }
  }
  return true;
}

}  // namespace tavlero::e2e
