// The window services the application shell needs from the desktop: one top-level
// window, its events in the classic virtual-key form, a millisecond clock, copying
// finished 24-bit frames to the window, and a few small services (cursor, clipboard,
// message box, full screen). The SDL back end drives a real window; the scripted
// fake lets tests feed events and read back what reached the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavlero::platform {

// Virtual-key codes as the game's input handling expects them.
namespace vk {
constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kAlt = 18, kEscape = 27,
              kSpace = 32, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
              kRight = 39, kDown = 40, kInsert = 45, kDelete = 46, kDigit0 = 48, kLetterA = 65,
              kNumpad0 = 96, kF1 = 112, kF2 = 113, kF3 = 114, kF4 = 115, kF10 = 121, kF12 = 123;
}  // namespace vk

// Modifier mask passed with key and character events.
namespace modifier {
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
}  // namespace modifier

enum class EventType {
  kMouseMove,
  kLButtonDown,
  kLButtonUp,
  kLButtonDblClk,
  kRButtonDown,
  kRButtonUp,
  kKeyDown,     // a key pressed without Alt
  kKeyUp,
  kSysKeyDown,  // Alt itself, a key pressed while Alt is held, or F10
  kSysKeyUp,
  kChar,        // a typed character, CP1251, as a signed 8-bit value
  kActivate,
  kSize,
  kPaint,       // the window's contents were lost and must be drawn again
  kClose,       // the user asked to close the window (window manager, Alt+F4 handled by the caller)
};

struct Event {
  EventType type = EventType::kMouseMove;
  int x = 0, y = 0;   // client coordinates for mouse events (0 ... 65535)
  int key = 0;        // virtual-key code for key events
  int character = 0;  // -128 ... 127 for character events
};

// A rectangle of 24-bit blue-green-red pixels stored bottom-up, as surfaces keep them.
struct PixelSource {
  const std::uint8_t* bottomRow = nullptr;  // first byte of the lowest row in memory
  int stride = 0;                           // bytes per row
  int width = 0, height = 0;                // size of the whole stored picture
};

enum class CursorShape { kArrow, kWait };

struct WindowParams {
  std::string title;      // CP1251
  std::string className;  // the X11 class on Linux
  int width = 0, height = 0;  // 0 for either: the desktop's default size
  bool caption = true;
  bool sizingBorder = true;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the one window (hidden until ShowWindow). False when it cannot be made.
  virtual bool CreateWindow(const WindowParams& params) = 0;
  virtual void ShowWindow() = 0;
  virtual void DestroyWindow() = 0;
  virtual bool HasWindow() const = 0;

  // Takes the next event without waiting.
  virtual bool PollEvent(Event& event) = 0;
  // Waits at most timeoutMs for an event; false when none came in that time.
  // Anything copied to the window since the last wait is shown before waiting.
  virtual bool WaitEvent(Event& event, int timeoutMs) = 0;

  // A millisecond clock that wraps like a 32-bit counter.
  virtual std::uint32_t NowMs() = 0;

  // Copies the rectangle (srcX, srcY, width, height) of a picture (top-down
  // coordinates) to the window's client area at (dstX, dstY).
  virtual void Blit(const PixelSource& source, int srcX, int srcY, int width, int height, int dstX,
                    int dstY) = 0;

  virtual void GetClientSize(int& width, int& height) = 0;
  // Moves and sizes the window (client size), keeping it on the desktop.
  virtual void SetWindowRect(int x, int y, int width, int height) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void Minimise() = 0;
  virtual void Restore() = 0;
  virtual bool IsForeground() = 0;

  // Exclusive 800 x 600 display. EnterFullScreen returns false when the desktop
  // refuses; the window then stays as it was.
  virtual bool EnterFullScreen(int width, int height) = 0;
  virtual void LeaveFullScreen() = 0;

  virtual void GetCursorClientPos(int& x, int& y) = 0;
  virtual void SetCursorShape(CursorShape shape) = 0;
  virtual void GetDisplaySize(int& width, int& height) = 0;
  // The modifier mask (modifier::kShift | kCtrl | kAlt) of the keyboard now.
  virtual int KeyModifiers() = 0;
  // The clipboard's text in CP1251, or nothing when it holds no text.
  virtual std::optional<std::string> ClipboardText() = 0;
  // A modal message box; text and caption in CP1251. The text also goes to standard
  // error, so it is seen when no desktop shows the box.
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tavlero::platform
