// The window's picture as the CPU keeps it: 32-bit 0x00RRGGBB pixels, top-down rows,
// and the rectangle changed since it was last shown. Blits from the game's bottom-up
// 24-bit pictures land here; the window presents only the changed part.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window_system.h"

namespace tavlero::platform {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};

class FrameBuffer {
 public:
  // Sets the size and clears the picture to black; the whole picture becomes changed.
  void Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Copies the rectangle (srcX, srcY, width, height) of a bottom-up BGR picture, given in
  // top-down coordinates, to (dstX, dstY). Parts outside the picture or the frame are
  // left out; a picture whose rows are shorter than its width is refused.
  void Blit(const PixelSource& source, int srcX, int srcY, int width, int height, int dstX,
            int dstY);

  const std::uint32_t* Pixels() const { return pixels_.data(); }
  std::uint32_t PixelAt(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

  void MarkAllChanged() { changed_ = {0, 0, width_, height_}; }
  bool HasChanges() const { return !changed_.Empty(); }
  // The changed rectangle, which is then forgotten.
  PixelRect TakeChanges();

 private:
  void AddChange(const PixelRect& rect);

  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
  PixelRect changed_;
};

}  // namespace tavlero::platform
