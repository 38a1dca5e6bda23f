// A rectangle in pixels: left and top inclusive, right and bottom exclusive.
#pragma once

namespace tavlero {

struct ORect {
  int left = 0, top = 0, right = 0, bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return left >= right || top >= bottom; }
  // Strict overlap: rectangles that only touch at an edge do not overlap.
  bool Overlaps(const ORect& other) const {
    return other.top < bottom && left < other.right && top < other.bottom && other.left < right;
  }
  ORect Union(const ORect& other) const {
    return {left < other.left ? left : other.left, top < other.top ? top : other.top,
            right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom};
  }
  ORect Intersection(const ORect& other) const {
    return {left > other.left ? left : other.left, top > other.top ? top : other.top,
            right < other.right ? right : other.right, bottom < other.bottom ? bottom : other.bottom};
  }
  bool operator==(const ORect&) const = default;
};

}  // namespace tavlero
