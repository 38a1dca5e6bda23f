// OMainWindow: the program's window. It builds the screens at start-up, routes every
// input event and frame tick to the current screen, and tears everything down at the end.
#pragma once

#include <vector>

#include "app/window.h"

namespace tavlero {

class OScreen;
class OGameScreen;
class OIntroScreen;

class OMainWindow : public OWindow {
 public:
  OMainWindow();
  ~OMainWindow() override;

  bool OnCreate() override;
  void OnDestroy() override;
  // Keeps the game and the options before the window goes, so nothing the desktop
  // does while tearing it down can lose them.
  void OnClosing() override;
  void OnFrame(int elapsedMs) override;
  void OnPaint(void* context) override;
  void OnMouseMove(int x, int y) override;
  void OnLButtonDown(int x, int y) override;
  void OnRButtonDown(int x, int y) override;
  void OnLButtonUp(int x, int y) override;
  void OnRButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnKeyUp(int key, int modifiers) override;
  void OnChar(int character, int modifiers) override;

  // Shows a dialog-like screen centred over the board, made current over the current screen.
  void ShowDialog(OScreen* screen);

  // The application-wide screen pointers.
  OScreen* CurrentScreen() const { return currentScreen_; }
  OScreen** CurrentScreenSlot() { return &currentScreen_; }
  OScreen* PressedScreen() const { return pressedScreen_; }
  OGameScreen* Game() const { return game_; }
  OIntroScreen* Intro() const { return intro_; }
  // True once the intro has closed and the board screen has been shown.
  bool BoardShown() const { return boardShown_; }

 private:
  void StopMusic();
  // The intro has closed: the music list, the board's size and place, the board.
  void ShowBoard();
  // Fills the music player's list with the "*.mid" files of the "music" folder.
  void BuildMusicList();

  OGameScreen* game_ = nullptr;        // the board screen, owned
  OIntroScreen* intro_ = nullptr;      // owned until it has closed
  bool introClosed_ = false;
  bool kept_ = false;  // the game and options have been written for this run
  bool boardShown_ = false;
  std::vector<OScreen*> screens_;      // every other screen, owned
  OScreen* currentScreen_ = nullptr;
  OScreen* pressedScreen_ = nullptr;
};

// The one main window while it exists (screens reach the application through it).
OMainWindow* TheMainWindow();

// Configures the main window as the program wants it, creates it and runs the frame
// loop; returns the process exit code.
int RunApplication();

}  // namespace tavlero
