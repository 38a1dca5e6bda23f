#include "app/window.h"

#include "platform/services.h"
#include "platform/window_system.h"

namespace tavlero {

using platform::Event;
using platform::EventType;

OWindow::OWindow() = default;
OWindow::~OWindow() = default;

bool OWindow::Create(const std::string& title, const std::string& className, int width, int height,
                     int showCommand) {
  if (width != 0) width_ = width;
  if (height != 0) height_ = height;
  showCommand_ = showCommand;

  system_ = platform::CurrentServices().window;
  if (system_ == nullptr) {
    // No desktop to register with: the equivalent of a refused window class.
    return false;
  }
  platform::WindowParams params;
  params.title = title;
  params.className = className;
  params.width = (width_ == 0 || height_ == 0) ? 0 : width_;
  params.height = (width_ == 0 || height_ == 0) ? 0 : height_;
  params.caption = !noCaption_;
  params.sizingBorder = !noSizingBorder_;
  if (!system_->CreateWindow(params)) {
    system_->MessageBox("Can't create window", "Error");
    return false;
  }
  system_->GetClientSize(width_, height_);
  quitPosted_ = false;
  if (!OnCreate()) {
    OnDestroy();
    return false;
  }
  return true;
}

void OWindow::ShowAndUpdate() {
  if (system_ == nullptr) return;
  system_->ShowWindow();
  useOwnContext_ = false;
  OnPaint(nullptr);
  useOwnContext_ = true;
}

void OWindow::DestroyWindow() {
  if (system_ != nullptr && system_->HasWindow()) {
    OnClosing();
    system_->DestroyWindow();
  }
  // Destroying the window posts the quit request with code 0.
  quitPosted_ = true;
  exitCode_ = 0;
}

void OWindow::Close() {
  closeRequested_ = true;
  DestroyWindow();
}

void OWindow::RequestClose() {
  if (closeRequested_) {
    DestroyWindow();
  } else {
    Close();
  }
}

void OWindow::Show(bool restore) {
  if (system_ == nullptr) return;
  if (restore) {
    system_->Restore();
  } else {
    system_->Minimise();
  }
}

void OWindow::Dispatch(const Event& event) {
  switch (event.type) {
    case EventType::kActivate:
      repositionPending_ = true;
      OnActivate();
      break;
    case EventType::kSize: {
      int clientWidth = 0, clientHeight = 0;
      system_->GetClientSize(clientWidth, clientHeight);
      if (repositionPending_ && clientWidth != 0 && clientHeight != 0) {
        repositionPending_ = false;
        system_->SetWindowRect(x_, y_, width_, height_);
      }
      OnSize();
      break;
    }
    case EventType::kPaint:
      useOwnContext_ = false;
      OnPaint(nullptr);
      useOwnContext_ = true;
      break;
    case EventType::kKeyDown:
      OnKeyDown(event.key, system_->KeyModifiers());
      break;
    case EventType::kKeyUp:
      OnKeyUp(event.key, system_->KeyModifiers());
      break;
    case EventType::kChar:
      OnChar(event.character, system_->KeyModifiers());
      break;
    case EventType::kSysKeyDown:
      if (event.key == platform::vk::kF4) {
        if (!closeRequested_) {
          Close();
        } else {
          RequestClose();
        }
      } else if (event.key == platform::vk::kAlt) {
        OnKeyDown(platform::vk::kAlt, system_->KeyModifiers());
      }
      // Everything else held with Alt (the keyboard menu, F10) is swallowed.
      break;
    case EventType::kSysKeyUp:
      if (event.key == platform::vk::kAlt) OnKeyUp(platform::vk::kAlt, system_->KeyModifiers());
      break;
    case EventType::kMouseMove:
      OnMouseMove(event.x, event.y);
      break;
    case EventType::kLButtonDown:
      OnLButtonDown(event.x, event.y);
      break;
    case EventType::kLButtonUp:
      OnLButtonUp(event.x, event.y);
      break;
    case EventType::kLButtonDblClk:
      OnLButtonDblClk(event.x, event.y);
      break;
    case EventType::kRButtonDown:
      OnRButtonDown(event.x, event.y);
      break;
    case EventType::kRButtonUp:
      OnRButtonUp(event.x, event.y);
      break;
    case EventType::kClose:
      // The window manager's close: the window is destroyed, which ends the loop.
      DestroyWindow();
      break;
  }
}

int OWindow::Run() {
  lastTickTime_ = system_->NowMs();
  while (!quitPosted_) {
    Event event;
    if (system_->PollEvent(event)) {
      Dispatch(event);
      continue;
    }
    const std::uint32_t now = system_->NowMs();
    const auto elapsed = static_cast<std::int32_t>(now - lastTickTime_);
    if (elapsed >= frameInterval_) {
      lastTickTime_ = now;
      OnFrame(elapsed);
      continue;
    }
    // Nothing to do until the next event or the next tick: sleep instead of spinning.
    // A tick still fires only once a whole interval has passed, with the real elapsed time.
    if (system_->WaitEvent(event, frameInterval_ - elapsed)) Dispatch(event);
  }
  OnDestroy();
  return exitCode_;
}

void OWindow::SetPlacement(int x, int y, int width, int height) {
  if (fullScreenActive_) return;
  x_ = x;
  y_ = y;
  if (width != 0) width_ = width;
  if (height != 0) height_ = height;
  if (system_ != nullptr) system_->SetWindowRect(x_, y_, width_, height_);
}

void OWindow::GetCursorClientPos(int& x, int& y) {
  x = 0;
  y = 0;
  if (system_ != nullptr) system_->GetCursorClientPos(x, y);
}

void OWindow::GetDisplaySize(int& width, int& height) {
  width = 0;
  height = 0;
  if (system_ != nullptr) system_->GetDisplaySize(width, height);
}

void OWindow::ReadClipboardText(char* buffer, int max) {
  if (system_ == nullptr || buffer == nullptr || max < 0) return;
  const auto text = system_->ClipboardText();
  if (!text) return;
  int length = 0;
  while (length < max && length < static_cast<int>(text->size()) && (*text)[length] != '\0') {
    buffer[length] = (*text)[length];
    ++length;
  }
  buffer[length] = '\0';
}

void OWindow::SetWaitCursor(bool wait) {
  if (system_ != nullptr) system_->SetCursorShape(wait ? platform::CursorShape::kWait : platform::CursorShape::kArrow);
}

bool OWindow::IsForeground() { return system_ != nullptr && system_->IsForeground(); }

void OWindow::EnterFullScreen() {
  if (fullScreenActive_ || system_ == nullptr) return;
  fullScreenActive_ = system_->EnterFullScreen(800, 600);
}

void OWindow::LeaveFullScreen() {
  const bool wasActive = fullScreenActive_;
  fullScreenActive_ = false;
  if (system_ == nullptr) return;
  if (wasActive) system_->LeaveFullScreen();
  system_->SetWindowRect(x_, y_, width_, height_);
}

}  // namespace tavlero
