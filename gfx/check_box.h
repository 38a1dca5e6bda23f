// OCheckBox: a two-state box with an optional caption drawn to its right. Its picture
// has either 2 looks (0 unchecked, 1 checked) or 6 (adding 2 and 3 pressed, 4 and 5
// hover, unchecked and checked in turn). A release inside toggles it; screens read
// `checked` rather than waiting for a click.
#pragma once

#include <string>

#include "gfx/control.h"

namespace tavlero {

class OCheckBox : public OControl {
 public:
  static constexpr int kUnchecked = 0, kChecked = 1, kUncheckedPressed = 2, kCheckedPressed = 3,
                       kUncheckedHover = 4, kCheckedHover = 5;
  // Caption cells: 10 pixels a character, 16 high, 10 pixels right of the box.
  static constexpr int kCaptionCharWidth = 10, kCaptionHeight = 16, kCaptionGap = 10;

  explicit OCheckBox(const std::shared_ptr<OSheet>& sheet = nullptr);
  ~OCheckBox() override;

  // Loading replaces the picture; a caption set before stays beside the new one.
  bool Load(const std::string& path) override;
  void CopyFrom(const OSprite* other) override;

  bool MouseMove(int x, int y, bool buttonDown) override;
  bool LButtonDown(int x, int y) override;
  bool LButtonUp(int x, int y) override;
  bool KeyDown(int key, int modifiers) override;

  void Check();
  void Uncheck();
  // Draws the caption in captionStyle; the caption's background is transparent.
  void SetCaption(const std::string& text);

  const std::string& Caption() const { return caption_; }
  const OSurface& CaptionSurface() const { return captionSurface_; }

  bool checked = false;
  // The caption's font and colours: the default drawing style unless set before SetCaption,
  // never whatever the last drawer left in the shared drawing style.
  OTextStyle captionStyle;

 private:
  bool HasFullLooks() const { return subSprites.size() >= 6; }
  int RestLook() const { return checked ? kChecked : kUnchecked; }
  void ShowRestLook();
  // The pressed look for the current state (the rest look for a two-look box).
  void ShowPressedLook();
  void PlaceCaption();

  std::string caption_;
  OSurface captionSurface_{1, 1};
  bool captionShown_ = false;
};

}  // namespace tavlero
