// OIntroScreen: the 400 x 400 picture shown while the program starts, with the
// version line on its parchment strip. It closes after seven seconds, or at once on a
// left-button release or a key. Every tick also draws one random number below the
// tick's length and throws it away, so the game's random sequence depends on how long
// the intro ran.
#pragma once

#include <functional>

#include "app/screen.h"

namespace tavlero {

class OTextSprite;

class OIntroScreen : public OScreen {
 public:
  static constexpr int kSize = 400;
  static constexpr std::uint32_t kBackgroundColour = 0xC8C8C8;
  // The intro closes once its ticks add up to at least this many milliseconds.
  static constexpr int kShowMs = 7001;

  explicit OIntroScreen(OWindow* owner);
  ~OIntroScreen() override;

  // Once, after construction: loads the picture "clp/i1.clp" (a missing one ends the
  // program with exit code 255) and the version line.
  void Init();

  // Starts the count afresh.
  void ShowModal(OScreen** ownerSlot) override;
  void OnFrame(int elapsedMs) override;
  OControl* OnLButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;

  // What closing does (the main window's business: the board screen comes next). Called
  // once per showing. Without it the intro closes itself with CloseModal(0).
  std::function<void()> onClose;

  int ElapsedMs() const { return elapsedMs_; }
  bool Closed() const { return closed_; }
  OTextSprite* Version() const { return version_; }

 private:
  void Close();

  OTextSprite* version_ = nullptr;
  int elapsedMs_ = 0;
  bool closed_ = false;
};

}  // namespace tavlero
