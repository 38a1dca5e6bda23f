// A scripted stand-in for the desktop, for tests: the test schedules events on a
// simulated millisecond clock, decides how long each idle wait lasts, and reads back
// the pixels that reached the window.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace tavlero::platform {

class FakeWindowSystem : public WindowSystem {
 public:
  struct BlitRecord {
    int srcX, srcY, width, height, dstX, dstY;
  };
  struct MessageRecord {
    std::string text, caption;
  };

  // --- script ---
  // Delivers the event once the simulated clock reaches atMs (or at once when it is past).
  void PushEvent(const Event& event, std::uint32_t atMs);
  void PushEvent(const Event& event) { PushEvent(event, now_); }
  // The next idle waits last these many milliseconds each, whatever timeout they ask for
  // (a late or early wake-up); afterwards a wait lasts exactly its timeout.
  void QueueWaitDurations(const std::vector<int>& durations);
  // Once the clock reaches this time a close event is delivered (ends a Run under test).
  void CloseAt(std::uint32_t atMs) { closeAt_ = atMs; }
  void AdvanceClock(int ms) { now_ += static_cast<std::uint32_t>(ms); }

  // --- what the program did ---
  std::uint32_t PixelAt(int x, int y) const;  // 0xRRGGBB in the window's client area
  const std::vector<BlitRecord>& Blits() const { return blits_; }
  void ClearBlits() { blits_.clear(); }
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  int WaitCalls() const { return waitCalls_; }
  int WindowX() const { return windowX_; }
  int WindowY() const { return windowY_; }
  bool Minimised() const { return minimised_; }
  bool Shown() const { return shown_; }
  CursorShape Cursor() const { return cursor_; }
  const WindowParams& Params() const { return params_; }

  // --- desktop state the test sets ---
  bool failCreate = false;
  bool allowFullScreen = true;
  bool foreground = true;
  int modifiers = 0;
  int cursorX = 0, cursorY = 0;
  int displayWidth = 1280, displayHeight = 1024;
  int defaultWidth = 640, defaultHeight = 480;  // size for a window created with a zero size
  std::optional<std::string> clipboard;

  // --- WindowSystem ---
  bool CreateWindow(const WindowParams& params) override;
  void ShowWindow() override { shown_ = true; }
  void DestroyWindow() override { created_ = false; }
  bool HasWindow() const override { return created_; }
  bool PollEvent(Event& event) override;
  bool WaitEvent(Event& event, int timeoutMs) override;
  std::uint32_t NowMs() override { return now_; }
  void Blit(const PixelSource& source, int srcX, int srcY, int width, int height, int dstX,
            int dstY) override;
  void GetClientSize(int& width, int& height) override;
  void SetWindowRect(int x, int y, int width, int height) override;
  void SetTitle(const std::string& title) override { params_.title = title; }
  void Minimise() override { minimised_ = true; }
  void Restore() override { minimised_ = false; }
  bool IsForeground() override { return foreground; }
  bool EnterFullScreen(int width, int height) override;
  void LeaveFullScreen() override { fullScreen_ = false; }
  bool FullScreen() const { return fullScreen_; }
  void GetCursorClientPos(int& x, int& y) override;
  void SetCursorShape(CursorShape shape) override { cursor_ = shape; }
  void GetDisplaySize(int& width, int& height) override;
  int KeyModifiers() override { return modifiers; }
  std::optional<std::string> ClipboardText() override { return clipboard; }
  void MessageBox(const std::string& text, const std::string& caption) override;

 private:
  struct Scheduled {
    Event event;
    std::uint32_t at;
  };
  bool TakeDue(Event& event);

  std::deque<Scheduled> events_;  // kept in time order
  std::deque<int> waitDurations_;
  std::optional<std::uint32_t> closeAt_;
  std::uint32_t now_ = 1000;
  WindowParams params_;
  bool created_ = false, shown_ = false, minimised_ = false, fullScreen_ = false;
  int width_ = 0, height_ = 0, windowX_ = 0, windowY_ = 0;
  std::vector<std::uint32_t> frame_;
  std::vector<BlitRecord> blits_;
  std::vector<MessageRecord> messages_;
  int waitCalls_ = 0;
  CursorShape cursor_ = CursorShape::kArrow;
};

}  // namespace tavlero::platform
