#include "app/main_window.h"

#include "app/required_picture.h"
#include "app/screen.h"
#include "gfx/sprite.h"
#include "platform/window_system.h"

namespace tavlero {

namespace {
OMainWindow* g_mainWindow = nullptr;
constexpr int kBoardWidth = 800, kBoardHeight = 600;
constexpr int kPanelX = 600;
// Backdrops lie behind everything else on the board screen (larger z is further back).
constexpr double kBoardBackdropDepth = 10000, kPanelBackdropDepth = 10001;

// A picture the board screen cannot do without, placed at (x, y) behind the pieces.
void AddBackdrop(OScreen& screen, const char* path, int x, int y, double depth) {
  auto* sprite = new OSprite();
  LoadRequiredPicture(*sprite, path);
  sprite->x = x;
  sprite->y = y;
  sprite->z = depth;
  screen.AddSprite(sprite);
}
}  // namespace

OMainWindow* TheMainWindow() { return g_mainWindow; }

OMainWindow::OMainWindow() { g_mainWindow = this; }

OMainWindow::~OMainWindow() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

bool OMainWindow::OnCreate() {
  // The game object: the board screen that fills the window.
  game_ = new OScreen(this, 0, 0, kBoardWidth, kBoardHeight);
  SetCloseRequested(true);
  game_->backgroundColour = 0;
  game_->redrawMode = OScreen::kRedrawDirty;
  AddBackdrop(*game_, "clp/jp2.clp", 0, 0, kBoardBackdropDepth);
  AddBackdrop(*game_, "clp/jp9.clp", kPanelX, 0, kPanelBackdropDepth);
  game_->ShowModal(&currentScreen_);
  return true;
}

void OMainWindow::OnDestroy() {
  StopMusic();
  delete game_;
  game_ = nullptr;
  for (OScreen* screen : screens_) delete screen;
  screens_.clear();
  currentScreen_ = nullptr;
  pressedScreen_ = nullptr;
}

void OMainWindow::StopMusic() {}

void OMainWindow::OnFrame(int elapsedMs) {
  if (!IsForeground()) StopMusic();
  if (currentScreen_ != nullptr) currentScreen_->OnFrame(elapsedMs);
}

void OMainWindow::OnPaint(void*) {
  if (currentScreen_ == nullptr) return;
  currentScreen_->PaintBelow();
  currentScreen_->Draw();
}

void OMainWindow::OnMouseMove(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnMouseMove(x, y);
}

void OMainWindow::OnLButtonDown(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnLButtonDown(x, y);
  pressedScreen_ = currentScreen_;
}

void OMainWindow::OnRButtonDown(int x, int y) {
  if (currentScreen_ != nullptr) currentScreen_->OnRButtonDown(x, y);
  pressedScreen_ = currentScreen_;
}

// A release reaches only the screen that took the press, so a button released after
// a screen change reaches nobody.
void OMainWindow::OnLButtonUp(int x, int y) {
  if (currentScreen_ != nullptr && currentScreen_ == pressedScreen_) currentScreen_->OnLButtonUp(x, y);
}

void OMainWindow::OnRButtonUp(int x, int y) {
  if (currentScreen_ != nullptr && currentScreen_ == pressedScreen_) currentScreen_->OnRButtonUp(x, y);
}

void OMainWindow::OnKeyDown(int key, int modifiers) {
  switch (key) {
    case platform::vk::kF1:
      musicOn = false;
      StopMusic();
      break;
    case platform::vk::kF2:
      LeaveFullScreen();
      windowMode = 0;
      break;
    case platform::vk::kF3:
      StopMusic();
      Show(false);
      break;
    default:
      if (currentScreen_ != nullptr) currentScreen_->OnKeyDown(key, modifiers);
  }
}

void OMainWindow::OnKeyUp(int key, int modifiers) {
  if (currentScreen_ != nullptr) currentScreen_->OnKeyUp(key, modifiers);
}

void OMainWindow::OnChar(int character, int modifiers) {
  if (currentScreen_ != nullptr) currentScreen_->OnChar(character, modifiers);
}

void OMainWindow::ShowDialog(OScreen* screen) {
  const int width = screen->Width(), height = screen->Height();
  screen->SetRect((585 - width) / 2 + 60, (600 - height) / 2, width, height);
  screen->ShowModal(&currentScreen_);
}

int RunApplication() {
  static OMainWindow window;
  window.SetBackgroundColour(0x000000);
  window.SetNoCaption(true);
  window.SetNoSizingBorder(true);
  window.SetFrameInterval(30);
  if (!window.Create("Tavlero", "OMainWindow", kBoardWidth, kBoardHeight, 1)) return 0;
  window.ShowAndUpdate();
  return window.Run();
}

}  // namespace tavlero
