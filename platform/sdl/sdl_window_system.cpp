#include "platform/sdl/sdl_window_system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/cp1251.h"
#include "platform/sdl/sdl_event_translator.h"
#include "platform/sdl/window_icon.h"

namespace tavlero::platform {
namespace {

constexpr Uint32 kFramePixelFormat = SDL_PIXELFORMAT_RGB888;  // 0x00RRGGBB in 32 bits
constexpr int kIconSize = 32;

void ReportSdlError(const char* what) { std::fprintf(stderr, "%s: %s\n", what, SDL_GetError()); }

// Drivers that draw into memory only cannot show a message box; there the text goes to
// the error stream alone.
bool HeadlessVideoDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) driver = std::getenv("SDL_VIDEODRIVER");
  return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

}  // namespace

SdlWindowSystem::~SdlWindowSystem() { DestroyWindow(); }

bool SdlWindowSystem::CreateWindow(const WindowParams& params) {
  if (window_ != nullptr) DestroyWindow();

  // The X11 back end reads the window class once, when video starts.
  if (!params.className.empty()) setenv("SDL_VIDEO_X11_WMCLASS", params.className.c_str(), 1);
  // Closing the window is an event for the game to act on, not a quit request; the
  // screen saver may run while the board sits idle.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // The click that brings the window to the front is the player's first move too.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    ReportSdlError("Cannot start the video system");
    return false;
  }
  videoStarted_ = true;
  // Without a display SDL falls back to drawing into memory, and the game would run
  // where nobody can see or close it. Memory-only drivers are used only on request
  // (tests and tools ask for them through SDL_VIDEODRIVER).
  if (std::getenv("SDL_VIDEODRIVER") == nullptr && HeadlessVideoDriver()) {
    std::fprintf(stderr, "No display to open the window on (is DISPLAY or WAYLAND_DISPLAY set?)\n");
    DestroyWindow();
    return false;
  }

  int width = params.width, height = params.height;
  if (width <= 0 || height <= 0) {
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
      width = desktop.w * 3 / 4;
      height = desktop.h * 3 / 4;
    } else {
      width = 800;
      height = 600;
    }
  }

  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (!params.caption) flags |= SDL_WINDOW_BORDERLESS;
  if (params.sizingBorder) flags |= SDL_WINDOW_RESIZABLE;
  window_ = SDL_CreateWindow(Cp1251ToUtf8(params.title).c_str(), SDL_WINDOWPOS_UNDEFINED,
                             SDL_WINDOWPOS_UNDEFINED, width, height, flags);
  if (window_ == nullptr) {
    ReportSdlError("Cannot create the window");
    DestroyWindow();
    return false;
  }
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr || !SetFrameSize(width, height)) {
    ReportSdlError("Cannot draw into the window");
    DestroyWindow();
    return false;
  }

  if (SDL_Surface* icon = CreateWindowIconSurface(kIconSize)) {
    SDL_SetWindowIcon(window_, icon);
    SDL_FreeSurface(icon);
  }
  arrowCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  waitCursor_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
  if (arrowCursor_ != nullptr) SDL_SetCursor(arrowCursor_);
  SDL_StartTextInput();
  SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
  return true;
}

void SdlWindowSystem::ShowWindow() {
  if (window_ == nullptr) return;
  SDL_ShowWindow(window_);
  frame_.MarkAllChanged();
  PresentChanges();
}

void SdlWindowSystem::DestroyWindow() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) {
    SDL_StopTextInput();
    SDL_DestroyWindow(window_);
  }
  if (arrowCursor_ != nullptr) SDL_FreeCursor(arrowCursor_);
  if (waitCursor_ != nullptr) SDL_FreeCursor(waitCursor_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  arrowCursor_ = waitCursor_ = nullptr;
  pending_.clear();
  fullScreen_ = false;
  frame_.Resize(0, 0);
  frame_.TakeChanges();
  if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  videoStarted_ = false;
}

bool SdlWindowSystem::SetFrameSize(int width, int height) {
  if (texture_ != nullptr && frame_.Width() == width && frame_.Height() == height) return true;
  // The old texture stays in use when the renderer cannot make one of the new size.
  SDL_Texture* texture = SDL_CreateTexture(renderer_, kFramePixelFormat, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture == nullptr) return false;
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = texture;
  // The renderer scales the frame to whatever size the desktop gives the window and maps
  // mouse positions back into frame coordinates.
  SDL_RenderSetLogicalSize(renderer_, width, height);
  frame_.Resize(width, height);
  return true;
}

void SdlWindowSystem::DrawFrame() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
}

void SdlWindowSystem::PresentChanges() {
  if (window_ == nullptr || !frame_.HasChanges()) return;
  const PixelRect changed = frame_.TakeChanges();
  const SDL_Rect rect{changed.x, changed.y, changed.width, changed.height};
  const std::uint32_t* first = frame_.Pixels() + static_cast<std::size_t>(changed.y) * frame_.Width() + changed.x;
  SDL_UpdateTexture(texture_, &rect, first, frame_.Width() * 4);
  DrawFrame();
  SDL_RenderPresent(renderer_);
}

bool SdlWindowSystem::TakePending(Event& event) {
  if (pending_.empty()) return false;
  event = pending_.front();
  pending_.pop_front();
  return true;
}

void SdlWindowSystem::Translate(const SDL_Event& sdlEvent) {
  // The desktop lost the window's contents: show the kept frame again at once.
  if (sdlEvent.type == SDL_WINDOWEVENT && sdlEvent.window.event == SDL_WINDOWEVENT_EXPOSED)
    frame_.MarkAllChanged();
  TranslateSdlEvent(sdlEvent, static_cast<Uint16>(SDL_GetModState()), pending_);
}

bool SdlWindowSystem::PollEvent(Event& event) {
  PresentChanges();
  if (TakePending(event)) return true;
  if (!videoStarted_) return false;
  SDL_Event sdlEvent;
  while (SDL_PollEvent(&sdlEvent)) {
    Translate(sdlEvent);
    if (TakePending(event)) return true;
  }
  return false;
}

bool SdlWindowSystem::WaitEvent(Event& event, int timeoutMs) {
  PresentChanges();
  if (TakePending(event)) return true;
  timeoutMs = std::max(timeoutMs, 0);
  if (!videoStarted_) {
    SDL_Delay(static_cast<Uint32>(timeoutMs));
    return false;
  }
  const Uint32 start = SDL_GetTicks();
  for (;;) {
    const int remaining = timeoutMs - static_cast<int>(SDL_GetTicks() - start);
    SDL_Event sdlEvent;
    const bool got = remaining > 0 ? SDL_WaitEventTimeout(&sdlEvent, remaining) != 0
                                   : SDL_PollEvent(&sdlEvent) != 0;
    if (!got) return false;
    Translate(sdlEvent);
    PresentChanges();
    if (TakePending(event)) return true;
  }
}

std::uint32_t SdlWindowSystem::NowMs() { return SDL_GetTicks(); }

void SdlWindowSystem::Blit(const PixelSource& source, int srcX, int srcY, int width, int height,
                           int dstX, int dstY) {
  if (window_ == nullptr) return;
  frame_.Blit(source, srcX, srcY, width, height, dstX, dstY);
}

void SdlWindowSystem::GetClientSize(int& width, int& height) {
  // A minimised window has no client area, as the game's resize handling expects.
  if (window_ == nullptr || (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0) {
    width = height = 0;
    return;
  }
  width = frame_.Width();
  height = frame_.Height();
}

void SdlWindowSystem::SetWindowRect(int x, int y, int width, int height) {
  if (window_ == nullptr) return;
  if (width <= 0 || height <= 0) {
    width = frame_.Width();
    height = frame_.Height();
  }
  if (width != frame_.Width() || height != frame_.Height()) {
    if (SetFrameSize(width, height)) {
      if (!fullScreen_) SDL_SetWindowSize(window_, width, height);
    } else {
      ReportSdlError("Cannot resize the window's picture");
      width = frame_.Width();
      height = frame_.Height();
    }
  }
  // Keep the whole window on the desktop it is shown on.
  int display = SDL_GetWindowDisplayIndex(window_);
  SDL_Rect bounds;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &bounds) == 0 && bounds.w > 0 && bounds.h > 0) {
    x = std::max(bounds.x, std::min(x, bounds.x + bounds.w - width));
    y = std::max(bounds.y, std::min(y, bounds.y + bounds.h - height));
  }
  windowedX_ = x;
  windowedY_ = y;
  if (!fullScreen_) SDL_SetWindowPosition(window_, x, y);
}

void SdlWindowSystem::SetTitle(const std::string& title) {
  if (window_ != nullptr) SDL_SetWindowTitle(window_, Cp1251ToUtf8(title).c_str());
}

void SdlWindowSystem::Minimise() {
  if (window_ != nullptr) SDL_MinimizeWindow(window_);
}

void SdlWindowSystem::Restore() {
  if (window_ == nullptr) return;
  SDL_RestoreWindow(window_);
  SDL_RaiseWindow(window_);
}

bool SdlWindowSystem::IsForeground() {
  return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

bool SdlWindowSystem::EnterFullScreen(int width, int height) {
  if (window_ == nullptr) return false;
  if (fullScreen_) return true;
  SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
  int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0) display = 0;
  // A real display mode of the wanted size first; otherwise the desktop's own mode with
  // the frame scaled to fit.
  SDL_DisplayMode wanted{0, width, height, 0, nullptr};
  SDL_DisplayMode closest;
  if (SDL_GetClosestDisplayMode(display, &wanted, &closest) != nullptr && closest.w == width &&
      closest.h == height && SDL_SetWindowDisplayMode(window_, &closest) == 0 &&
      SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0) {
    fullScreen_ = true;
  } else if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
    fullScreen_ = true;
  } else {
    SDL_SetWindowFullscreen(window_, 0);
    return false;
  }
  frame_.MarkAllChanged();
  return true;
}

void SdlWindowSystem::LeaveFullScreen() {
  if (window_ == nullptr || !fullScreen_) return;
  SDL_SetWindowFullscreen(window_, 0);
  fullScreen_ = false;
  SDL_SetWindowSize(window_, frame_.Width(), frame_.Height());
  SDL_SetWindowPosition(window_, windowedX_, windowedY_);
  frame_.MarkAllChanged();
}

void SdlWindowSystem::GetCursorClientPos(int& x, int& y) {
  x = y = 0;
  if (window_ == nullptr) return;
  int windowX = 0, windowY = 0;
  if (SDL_GetMouseFocus() == window_) {
    SDL_GetMouseState(&windowX, &windowY);
  } else {
    // Outside the window: the desktop position relative to the client area.
    int globalX = 0, globalY = 0, left = 0, top = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    SDL_GetWindowPosition(window_, &left, &top);
    windowX = globalX - left;
    windowY = globalY - top;
  }
  float logicalX = 0, logicalY = 0;
  SDL_RenderWindowToLogical(renderer_, windowX, windowY, &logicalX, &logicalY);
  x = static_cast<int>(std::floor(logicalX));
  y = static_cast<int>(std::floor(logicalY));
}

void SdlWindowSystem::SetCursorShape(CursorShape shape) {
  SDL_Cursor* cursor = shape == CursorShape::kWait ? waitCursor_ : arrowCursor_;
  if (cursor != nullptr) SDL_SetCursor(cursor);
}

void SdlWindowSystem::GetDisplaySize(int& width, int& height) {
  width = height = 0;
  // Without a window, video is started just for the question.
  const bool temporary = !videoStarted_;
  if (temporary && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  int display = window_ != nullptr ? SDL_GetWindowDisplayIndex(window_) : 0;
  SDL_DisplayMode desktop;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &desktop) == 0) {
    width = desktop.w;
    height = desktop.h;
  }
  if (temporary) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int SdlWindowSystem::KeyModifiers() { return ModifierMaskFromSdl(static_cast<Uint16>(SDL_GetModState())); }

std::optional<std::string> SdlWindowSystem::ClipboardText() {
  if (!videoStarted_ || !SDL_HasClipboardText()) return std::nullopt;
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return std::nullopt;
  std::string utf8 = text;
  SDL_free(text);
  if (utf8.empty()) return std::nullopt;
  return Utf8ToCp1251(utf8);
}

void SdlWindowSystem::MessageBox(const std::string& text, const std::string& caption) {
  const std::string utf8Text = Cp1251ToUtf8(text), utf8Caption = Cp1251ToUtf8(caption);
  // Also where it is seen when no desktop shows the box.
  std::fprintf(stderr, "%s\n", utf8Text.c_str());
  std::fflush(stderr);
  if (HeadlessVideoDriver()) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, utf8Caption.c_str(), utf8Text.c_str(), window_);
}

bool SdlWindowSystem::CaptureWindow(std::vector<std::uint32_t>& pixels, int& width, int& height) {
  width = height = 0;
  pixels.clear();
  if (renderer_ == nullptr) return false;
  int outputWidth = 0, outputHeight = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0 || outputWidth <= 0 ||
      outputHeight <= 0)
    return false;
  // Bring the texture up to date; the changes stay marked for the next presentation.
  if (frame_.HasChanges())
    SDL_UpdateTexture(texture_, nullptr, frame_.Pixels(), frame_.Width() * 4);
  // Read the whole output unscaled, then return to the frame's logical size.
  SDL_RenderSetLogicalSize(renderer_, 0, 0);
  DrawFrame();
  pixels.resize(static_cast<std::size_t>(outputWidth) * outputHeight);
  const bool read = SDL_RenderReadPixels(renderer_, nullptr, kFramePixelFormat, pixels.data(), outputWidth * 4) == 0;
  SDL_RenderSetLogicalSize(renderer_, frame_.Width(), frame_.Height());
  if (!read) {
    pixels.clear();
    return false;
  }
  width = outputWidth;
  height = outputHeight;
  return true;
}

}  // namespace tavlero::platform
