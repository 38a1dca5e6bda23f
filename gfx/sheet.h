// OSheet: one 24-bit bitmap in memory that one or more surfaces live in.
//
// The bitmap keeps the layout the window copy and the picture loader expect:
// width x (height + 1) rows, bottom-up (memory row 0 is the lowest row), 3 bytes per
// pixel in the order blue, green, red, and a row stride rounded up to 4 bytes. The
// top memory row (row `height`) is a spare row no picture uses. Pictures are placed
// left to right; a picture of height h occupies memory rows 0 ... h - 1.
//
// A sheet lives as long as anything holds it: the pixel stores placed in it and the
// sprites that keep it to cut their loaded frames from.
#pragma once

#include <cstdint>
#include <memory>

namespace tavlero {

class OSheet {
 public:
  // Largest side accepted for a bitmap; anything larger is refused as damaged input.
  static constexpr int kMaxSide = 16384;
  // Resolution recorded for the bitmap (pixels per metre, both directions).
  static constexpr int kPixelsPerMetre = 2816;

  // A zero-filled sheet, or null when the size is negative, too large or the memory
  // cannot be had.
  static std::shared_ptr<OSheet> Create(int width, int height);

  static int StrideFor(int width) { return ((width * 24 + 31) & ~31) / 8; }

  ~OSheet();
  OSheet(const OSheet&) = delete;
  OSheet& operator=(const OSheet&) = delete;

  // True when a width x height picture still fits to the right of the pictures placed so far.
  bool Fits(int width, int height) const;

  int nextFreeX = 0;  // where the next picture placed in this sheet starts
  int width = 0, height = 0;
  int users = 0;      // surfaces placed in it
  int stride = 0;     // bytes per row
  std::uint8_t* bits = nullptr;  // the bottom row of the bitmap

 private:
  OSheet() = default;
};

}  // namespace tavlero
