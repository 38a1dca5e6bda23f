#include "platform/fake_window_system.h"

#include <algorithm>
#include <cstdio>

namespace tavlero::platform {

void FakeWindowSystem::PushEvent(const Event& event, std::uint32_t atMs) {
  auto position = std::upper_bound(events_.begin(), events_.end(), atMs,
                                   [](std::uint32_t at, const Scheduled& s) { return at < s.at; });
  events_.insert(position, Scheduled{event, atMs});
}

void FakeWindowSystem::QueueWaitDurations(const std::vector<int>& durations) {
  waitDurations_.insert(waitDurations_.end(), durations.begin(), durations.end());
}

bool FakeWindowSystem::CreateWindow(const WindowParams& params) {
  if (failCreate) return false;
  params_ = params;
  width_ = params.width > 0 && params.height > 0 ? params.width : defaultWidth;
  height_ = params.width > 0 && params.height > 0 ? params.height : defaultHeight;
  frame_.assign(static_cast<size_t>(width_) * height_, 0);
  created_ = true;
  return true;
}

bool FakeWindowSystem::TakeDue(Event& event) {
  if (!events_.empty() && events_.front().at <= now_) {
    event = events_.front().event;
    events_.pop_front();
    return true;
  }
  if (closeAt_ && *closeAt_ <= now_) {
    closeAt_.reset();
    event = Event{};
    event.type = EventType::kClose;
    return true;
  }
  return false;
}

bool FakeWindowSystem::PollEvent(Event& event) { return TakeDue(event); }

bool FakeWindowSystem::WaitEvent(Event& event, int timeoutMs) {
  ++waitCalls_;
  if (TakeDue(event)) return true;
  std::uint32_t wakeAt = now_ + static_cast<std::uint32_t>(std::max(timeoutMs, 0));
  if (!waitDurations_.empty()) {
    wakeAt = now_ + static_cast<std::uint32_t>(waitDurations_.front());
    waitDurations_.pop_front();
  } else {
    if (!events_.empty()) wakeAt = std::min(wakeAt, events_.front().at);
    if (closeAt_) wakeAt = std::min(wakeAt, *closeAt_);
  }
  now_ = std::max(now_, wakeAt);
  return TakeDue(event);
}

void FakeWindowSystem::Blit(const PixelSource& source, int srcX, int srcY, int width, int height,
                            int dstX, int dstY) {
  blits_.push_back({srcX, srcY, width, height, dstX, dstY});
  for (int row = 0; row < height; ++row) {
    const int sy = srcY + row, dy = dstY + row;
    if (sy < 0 || sy >= source.height || dy < 0 || dy >= height_) continue;
    // Top-down row sy of a bottom-up picture.
    const std::uint8_t* line = source.bottomRow + static_cast<size_t>(source.height - 1 - sy) * source.stride;
    for (int column = 0; column < width; ++column) {
      const int sx = srcX + column, dx = dstX + column;
      if (sx < 0 || sx >= source.width || dx < 0 || dx >= width_) continue;
      const std::uint8_t* pixel = line + sx * 3;
      frame_[static_cast<size_t>(dy) * width_ + dx] =
          (std::uint32_t{pixel[2]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[0];
    }
  }
}

std::uint32_t FakeWindowSystem::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return frame_[static_cast<size_t>(y) * width_ + x];
}

void FakeWindowSystem::GetClientSize(int& width, int& height) {
  width = width_;
  height = height_;
}

void FakeWindowSystem::SetWindowRect(int x, int y, int width, int height) {
  windowX_ = x;
  windowY_ = y;
  if (width > 0 && height > 0 && (width != width_ || height != height_)) {
    width_ = width;
    height_ = height;
    frame_.assign(static_cast<size_t>(width_) * height_, 0);
  }
}

bool FakeWindowSystem::EnterFullScreen(int, int) {
  fullScreen_ = allowFullScreen;
  return fullScreen_;
}

void FakeWindowSystem::GetCursorClientPos(int& x, int& y) {
  x = cursorX;
  y = cursorY;
}

void FakeWindowSystem::GetDisplaySize(int& width, int& height) {
  width = displayWidth;
  height = displayHeight;
}

void FakeWindowSystem::MessageBox(const std::string& text, const std::string& caption) {
  messages_.push_back({text, caption});
  std::fprintf(stderr, "%s\n", text.c_str());
}

}  // namespace tavlero::platform
