// Screenshots of an X display as the X server's own dump tool writes them (XWD files,
// "xwd -root"), decoded into plain RGB pixels. Only the true-colour Z-pixmap layouts a
// 24-bit screen produces are understood (24 or 32 bits per pixel, either byte order).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlero::e2e {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, red first, rows top-down

  std::uint32_t Pixel(int x, int y) const;  // 0xRRGGBB; 0 outside the picture
  // The part (x, y, width, height); parts outside the picture read as black.
  RgbImage Crop(int x, int y, int width, int height) const;
  // The same pixels as opaque RGBA rows, as the PNG writer wants them.
  std::vector<std::uint8_t> ToRgba() const;
};

// Decodes an XWD file. False with a reason for a layout it does not understand or a
// file too short for its header's promises.
bool DecodeXwd(const std::vector<std::uint8_t>& file, RgbImage& image, std::string& error);

}  // namespace tavlero::e2e
