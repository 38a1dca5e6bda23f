// OWindow: the program's one top-level window. It creates the window through the
// platform's window services, turns the window's events into virtual calls, runs the
// frame loop and offers small services to the screens (placement, cursor, clipboard,
// copying a surface to the window, full screen).
#pragma once

#include <cstdint>
#include <string>

namespace tavlero::platform {
class WindowSystem;
struct Event;
}  // namespace tavlero::platform

namespace tavlero {

class OSurface;
struct ORect;

class OWindow {
 public:
  OWindow();
  // Slot 0.
  virtual ~OWindow();
  // Slot 1: once, right after the window exists. The base has nothing to build.
  virtual bool OnCreate() { return false; }
  // Slot 2: after the loop ends, or when OnCreate failed.
  virtual void OnDestroy() {}
  // Slot 3: a close request: sets close requested and closes the window.
  virtual void Close();
  // Slot 4.
  virtual void OnActivate() {}
  // Slot 5: a frame tick with the milliseconds since the last one.
  virtual void OnFrame(int /*elapsedMs*/) {}
  // Slot 6: the window's contents must be drawn.
  virtual void OnPaint(void* /*context*/) {}
  // Slots 7-12: mouse input in client coordinates.
  virtual void OnMouseMove(int /*x*/, int /*y*/) {}
  virtual void OnLButtonDown(int /*x*/, int /*y*/) {}
  virtual void OnRButtonDown(int /*x*/, int /*y*/) {}
  virtual void OnLButtonUp(int /*x*/, int /*y*/) {}
  virtual void OnRButtonUp(int /*x*/, int /*y*/) {}
  virtual void OnLButtonDblClk(int /*x*/, int /*y*/) {}
  // Slots 13-15: keyboard input with the modifier mask (1 Shift, 2 Ctrl, 4 Alt).
  virtual void OnKeyDown(int /*key*/, int /*modifiers*/) {}
  virtual void OnKeyUp(int /*key*/, int /*modifiers*/) {}
  virtual void OnChar(int /*character*/, int /*modifiers*/) {}
  // Slot 16.
  virtual void OnSize() {}
  // Slot 17: reserved, never called.
  virtual void Reserved() {}
  // Slot 18: restores (true) or minimises (false) the window.
  virtual void Show(bool restore);
  // Slot 19: the window is about to be destroyed (a close request, the window
  // manager's close): the last moment at which the desktop is certainly still there.
  virtual void OnClosing() {}

  void SetFrameInterval(int ms) { frameInterval_ = ms; }
  int GetFrameInterval() const { return frameInterval_; }
  // Creates the window; false (after a message box) when it cannot be made or OnCreate fails.
  bool Create(const std::string& title, const std::string& className, int width, int height,
              int showCommand);
  void ShowAndUpdate();
  // The frame loop; returns the exit code of the quit request.
  int Run();
  void RequestClose();
  void SetPlacement(int x, int y, int width, int height);
  void GetCursorClientPos(int& x, int& y);
  // The hourglass while the program is busy (the computer thinks), else the arrow.
  void SetWaitCursor(bool wait);
  void GetDisplaySize(int& width, int& height);
  // Copies the clipboard's text (at most max characters) into buffer, terminated;
  // leaves buffer unchanged when the clipboard holds no text.
  void ReadClipboardText(char* buffer, int max);
  // Copies a surface, or the given rectangle of it, to the window at (x, y).
  void BlitSurface(const OSurface& surface, int x, int y, const ORect* source);
  void EnterFullScreen();
  void LeaveFullScreen();
  bool IsFullScreen() const { return fullScreenActive_; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Where the window was last placed on the desktop.
  int WindowX() const { return x_; }
  int WindowY() const { return y_; }
  void SetBackgroundColour(std::uint32_t colour) { backgroundColour_ = colour; }
  void SetNoCaption(bool value) { noCaption_ = value; }
  void SetNoSizingBorder(bool value) { noSizingBorder_ = value; }
  bool CloseRequested() const { return closeRequested_; }
  void SetCloseRequested(bool value) { closeRequested_ = value; }
  bool IsForeground();
  // Handles one window event as the window procedure does (public for the loop's tests).
  void Dispatch(const platform::Event& event);

 protected:
  platform::WindowSystem* System() const { return system_; }

 private:
  void DestroyWindow();

  int width_ = 0, height_ = 0;
  int x_ = 0, y_ = 0;
  std::uint32_t backgroundColour_ = 0xFFFFFF;
  bool noCaption_ = false;
  bool noSizingBorder_ = false;
  platform::WindowSystem* system_ = nullptr;  // the window handle's stand-in
  int frameInterval_ = 100;
  bool closeRequested_ = false;
  bool useOwnContext_ = true;
  int showCommand_ = 0;
  bool fullScreenActive_ = false;
  bool repositionPending_ = false;
  std::uint32_t lastTickTime_ = 0;
  bool quitPosted_ = false;
  int exitCode_ = 0;
};

}  // namespace tavlero
