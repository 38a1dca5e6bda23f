// JPEG streams in and out of memory through the IJG library (release 6b interface).
//
// Decoding never ends the program: a fatal library error returns to the caller and
// the call reports false. Pictures are limited to what the stream can plausibly
// describe, so a lying header cannot make the decoder allocate gigabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavlero {

class OSurface;

// Decodes a JPEG stream held in memory into the surface. The surface takes the
// stream's size when it differs. `option` is reserved and ignored (pass 0).
bool DecodeJpegMemory(OSurface& surface, const std::uint8_t* data, std::size_t length, int option);

// Decodes into a plain buffer: width x height x 3 bytes, rows top-down, each pixel
// blue, green, red (the order of surface memory).
bool DecodeJpegToBgr(const std::uint8_t* data, std::size_t length, int& width, int& height,
                     std::vector<std::uint8_t>& bgr);

// Compresses width x height pixels (rows top-down, blue, green, red) at the given
// quality (1 ... 100). Returns false on a fatal library error or bad arguments.
bool EncodeJpegFromBgr(const std::uint8_t* bgr, int width, int height, int quality,
                       std::vector<std::uint8_t>& jpeg);

// Largest picture a stream of `length` bytes is taken to describe, in pixels. Even the
// most favourable entropy coding needs about a bit per 8 x 8 block, so a thousand
// pixels per byte is far beyond any real stream.
std::size_t JpegPixelLimit(std::size_t length);

}  // namespace tavlero
