#include "platform/sdl/frame_buffer.h"

#include <algorithm>

namespace tavlero::platform {

void FrameBuffer::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
  MarkAllChanged();
}

void FrameBuffer::Blit(const PixelSource& source, int srcX, int srcY, int width, int height,
                       int dstX, int dstY) {
  if (source.bottomRow == nullptr || source.width <= 0 || source.height <= 0) return;
  if (source.stride < std::int64_t{source.width} * 3) return;

  // Clipping in 64 bits so that no caller's numbers can overflow.
  std::int64_t sx = srcX, sy = srcY, w = width, h = height, dx = dstX, dy = dstY;
  // Clip against the picture, moving the destination along.
  if (sx < 0) w += sx, dx -= sx, sx = 0;
  if (sy < 0) h += sy, dy -= sy, sy = 0;
  w = std::min<std::int64_t>(w, source.width - sx);
  h = std::min<std::int64_t>(h, source.height - sy);
  // Then against the frame, moving the source along.
  if (dx < 0) w += dx, sx -= dx, dx = 0;
  if (dy < 0) h += dy, sy -= dy, dy = 0;
  w = std::min<std::int64_t>(w, width_ - dx);
  h = std::min<std::int64_t>(h, height_ - dy);
  if (w <= 0 || h <= 0) return;

  for (std::int64_t row = 0; row < h; ++row) {
    const std::int64_t pictureRow = source.height - 1 - (sy + row);
    const std::uint8_t* in = source.bottomRow + pictureRow * source.stride + sx * 3;
    std::uint32_t* out = &pixels_[static_cast<std::size_t>((dy + row) * width_ + dx)];
    for (std::int64_t column = 0; column < w; ++column, in += 3)
      out[column] = (std::uint32_t{in[2]} << 16) | (std::uint32_t{in[1]} << 8) | in[0];
  }
  AddChange({static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(w), static_cast<int>(h)});
}

void FrameBuffer::AddChange(const PixelRect& rect) {
  if (changed_.Empty()) {
    changed_ = rect;
    return;
  }
  const int left = std::min(changed_.x, rect.x), top = std::min(changed_.y, rect.y);
  const int right = std::max(changed_.x + changed_.width, rect.x + rect.width);
  const int bottom = std::max(changed_.y + changed_.height, rect.y + rect.height);
  changed_ = {left, top, right - left, bottom - top};
}

PixelRect FrameBuffer::TakeChanges() {
  const PixelRect taken = changed_;
  changed_ = {};
  return taken;
}

}  // namespace tavlero::platform
