// The window services on SDL2: one window presented through an SDL renderer from a
// CPU-side frame, SDL events in the classic virtual-key form, the SDL clock.
#pragma once

#include <SDL2/SDL.h>

#include <deque>
#include <vector>

#include "platform/sdl/frame_buffer.h"
#include "platform/window_system.h"

namespace tavlero::platform {

class SdlWindowSystem : public WindowSystem {
 public:
  SdlWindowSystem() = default;
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  bool CreateWindow(const WindowParams& params) override;
  void ShowWindow() override;
  void DestroyWindow() override;
  bool HasWindow() const override { return window_ != nullptr; }

  bool PollEvent(Event& event) override;
  bool WaitEvent(Event& event, int timeoutMs) override;
  std::uint32_t NowMs() override;

  void Blit(const PixelSource& source, int srcX, int srcY, int width, int height, int dstX,
            int dstY) override;

  void GetClientSize(int& width, int& height) override;
  void SetWindowRect(int x, int y, int width, int height) override;
  void SetTitle(const std::string& title) override;
  void Minimise() override;
  void Restore() override;
  bool IsForeground() override;

  bool EnterFullScreen(int width, int height) override;
  void LeaveFullScreen() override;

  void GetCursorClientPos(int& x, int& y) override;
  void SetCursorShape(CursorShape shape) override;
  void GetDisplaySize(int& width, int& height) override;
  int KeyModifiers() override;
  std::optional<std::string> ClipboardText() override;
  void MessageBox(const std::string& text, const std::string& caption) override;

  // The picture the window shows (0x00RRGGBB, top-down), read back from the renderer.
  // False without a window or when the renderer cannot be read.
  bool CaptureWindow(std::vector<std::uint32_t>& pixels, int& width, int& height);
  bool IsFullScreen() const { return fullScreen_; }
  SDL_Window* NativeWindow() const { return window_; }

 private:
  // Sizes the frame, its texture and the renderer's logical size to the client area.
  bool SetFrameSize(int width, int height);
  // Shows the frame when something was copied to it since it was last shown.
  void PresentChanges();
  void DrawFrame();
  bool TakePending(Event& event);
  void Translate(const SDL_Event& sdlEvent);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* arrowCursor_ = nullptr;
  SDL_Cursor* waitCursor_ = nullptr;
  FrameBuffer frame_;
  std::deque<Event> pending_;
  bool videoStarted_ = false;
  bool fullScreen_ = false;
  // Client rectangle to return to when full screen ends.
  int windowedX_ = 0, windowedY_ = 0;
};

}  // namespace tavlero::platform
