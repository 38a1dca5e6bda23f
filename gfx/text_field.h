// OTextField: a one-line text entry. Its picture's sub-sprites are its looks (0 normal,
// 1 pressed, 2 hover); the text and the caret are drawn on two extra layers. The text
// scrolls sideways to keep the caret in view; the caret blinks while the field has
// the focus. Characters are CP1251 bytes.
#pragma once

#include <string>

#include "gfx/control.h"

namespace tavlero {

class OTextField : public OControl {
 public:
  static constexpr int kNormal = 0, kPressed = 1, kHover = 2;
  static constexpr int kDefaultMaximumLength = 255;
  // The caret shows and hides in turn every this many milliseconds.
  static constexpr int kBlinkMs = 301;
  static constexpr int kCaretWidth = 2, kCaretTopGap = 3;

  // The font is the drawing style in force now. Drawing and measuring set the drawing
  // style to the font and put the previous one back afterwards.
  explicit OTextField(const std::shared_ptr<OSheet>& sheet = nullptr);
  ~OTextField() override;

  // Both take the picture's size as the field's size and put the text layer back on.
  bool Load(const std::string& path) override;
  void CopyFrom(const OSprite* other) override;
  // Blinks the caret; the field's own pictures do not animate.
  void OnFrame(int elapsedMs) override;

  bool MouseMove(int x, int y, bool buttonDown) override;
  bool LButtonDown(int x, int y) override;
  bool LButtonUp(int x, int y) override;
  bool KeyDown(int key, int modifiers) override;
  void Char(int character, int modifiers) override;
  void SetFocus(bool focus) override;

  // Replaces the content (cut to the maximum length) with the caret at its end.
  void SetText(const std::string& text);
  const std::string& Text() const { return text_; }
  void SetMargins(int x, int y);
  void SetFont(const OTextStyle& style);
  // Redraws the text layer from the first visible character.
  void Render();
  // Moves the caret layer to the caret.
  void PlaceCaret();

  int Caret() const { return caret_; }
  int FirstVisible() const { return firstVisible_; }
  bool CaretShown() const { return caretShown_; }
  const OSurface& TextSurface() const { return textSurface_; }
  const OSurface& CaretSurface() const { return caretSurface_; }
  // Width in the field's font of the characters from the first visible one up to the caret.
  int TextWidthToCaret() const;
  int AvailableWidth() const { return fieldWidth - marginX; }

  // Milliseconds since the caret last showed or hid; each field keeps its own, so two
  // fields on one screen do not speed up each other's blinking.
  int BlinkTimer() const { return blinkTimer_; }

  int maximumLength = kDefaultMaximumLength;
  int marginX = 0, marginY = 0;
  int fieldWidth = 1, fieldHeight = 1;
  OTextStyle font;

 private:
  void AfterPictureChange();
  // The first visible character that keeps the caret inside the available width while
  // showing as much text before it as fits.
  void ScrollToCaret();
  void Insert(char c);

  std::string text_;
  int caret_ = 0;
  int firstVisible_ = 0;
  OSurface textSurface_{1, 1};
  OSurface caretSurface_{1, 1};
  bool caretShown_ = false;
  bool caretLit_ = true;
  int blinkTimer_ = 0;
};

}  // namespace tavlero
