#include "gfx/text_field.h"

#include <algorithm>

#include "gfx/control_look.h"
#include "platform/window_system.h"

namespace tavlero {
namespace {

int TextWidth(const OTextStyle& font, std::string_view text) {
  if (text.empty()) return 0;
  KeepDrawingStyle keep;
  DrawingStyle() = font;
  int width = 0, height = 0;
  OSurface::TextExtent(text, width, height);
  return width;
}

}  // namespace

OTextField::OTextField(const std::shared_ptr<OSheet>& sheet) : OControl(sheet), font(DrawingStyle()) {}

OTextField::~OTextField() = default;

bool OTextField::Load(const std::string& path) {
  // Loading drops every layer; the text layer, and the caret while focused, go back on.
  caretShown_ = false;
  const bool loaded = OControl::Load(path);
  AfterPictureChange();
  return loaded;
}

void OTextField::CopyFrom(const OSprite* other) {
  OControl::CopyFrom(other);
  AfterPictureChange();
}

void OTextField::AfterPictureChange() {
  fieldWidth = std::max(1, width);
  fieldHeight = std::max(1, height);
  if (shownFrames.empty()) shownFrames.push_back(nullptr);
  if (std::find(shownFrames.begin(), shownFrames.end(), &textSurface_) == shownFrames.end()) {
    shownFrames.insert(shownFrames.begin() + 1, &textSurface_);
  }
  if (hasFocus && !caretShown_) {
    shownFrames.push_back(&caretSurface_);
    caretShown_ = true;
  }
  Render();
  PlaceCaret();
}

int OTextField::TextWidthToCaret() const {
  const int from = std::clamp(firstVisible_, 0, caret_);
  return TextWidth(font, std::string_view(text_).substr(from, caret_ - from));
}

void OTextField::ScrollToCaret() {
  firstVisible_ = 0;
  const int available = AvailableWidth();
  while (firstVisible_ < caret_ && TextWidthToCaret() > available) ++firstVisible_;
}

void OTextField::Render() {
  textSurface_.offsetX = marginX;
  textSurface_.offsetY = marginY;
  const int w = std::max(1, fieldWidth - marginX), h = std::max(1, fieldHeight - marginY);
  const int background = static_cast<int>(font.backgroundColour & 0xFFFFFF);
  if (w == textSurface_.Width() && h == textSurface_.Height()) {
    textSurface_.clearColour = static_cast<std::uint32_t>(background);
    textSurface_.Clear();
  } else {
    textSurface_.Resize(w, h, background);
  }
  KeepDrawingStyle keep;
  DrawingStyle() = font;
  const std::size_t from = std::min<std::size_t>(static_cast<std::size_t>(std::max(0, firstVisible_)), text_.size());
  textSurface_.DrawText(std::string_view(text_).substr(from), 0, 0);
  // The background is whatever the top-left pixel shows: it becomes transparent.
  textSurface_.SetColourKey(-1);
  MarkChanged();
}

void OTextField::PlaceCaret() {
  caretLit_ = true;
  caretSurface_.Resize(kCaretWidth, std::max(1, font.sizePoints), static_cast<int>(font.textColour & 0xFFFFFF));
  caretSurface_.colourKey = static_cast<int>(font.backgroundColour & 0xFFFFFF);
  caretSurface_.offsetX = marginX + (text_.empty() ? 0 : TextWidthToCaret());
  caretSurface_.offsetY = marginY + kCaretTopGap;
  MarkChanged();
}

void OTextField::OnFrame(int elapsedMs) {
  blinkTimer_ += elapsedMs;
  if (blinkTimer_ < kBlinkMs) return;
  blinkTimer_ = 0;
  if (caretSurface_.Width() == 0 || caretSurface_.Height() == 0) return;
  // Drawn in the background colour the caret matches its key and disappears.
  caretLit_ = !caretLit_;
  caretSurface_.clearColour = (caretLit_ ? font.textColour : font.backgroundColour) & 0xFFFFFF;
  caretSurface_.Clear();
  MarkChanged();
}

bool OTextField::MouseMove(int px, int py, bool buttonDown) {
  if (!buttonDown && visible && Contains(px, py)) {
    if (subSprites.size() >= 3) ShowLookOnce(*this, kHover);
    return true;
  }
  ShowLookOnce(*this, kNormal);
  return false;
}

bool OTextField::LButtonDown(int px, int py) {
  if (visible && Contains(px, py)) {
    SetFocus(true);
    if (subSprites.size() >= 2) {
      ShowLook(*this, kPressed);
    } else {
      RestartLook(*this);
    }
    return true;
  }
  SetFocus(false);
  RestartLook(*this);
  return false;
}

bool OTextField::LButtonUp(int px, int py) { return MouseMove(px, py, false); }

void OTextField::SetFocus(bool focus) {
  if (focus) {
    hasFocus = true;
    if (!caretShown_) {
      if (shownFrames.empty()) shownFrames.push_back(nullptr);
      shownFrames.push_back(&caretSurface_);
    }
    const bool scrolled = firstVisible_ != 0;
    caret_ = 0;
    firstVisible_ = 0;
    caretShown_ = true;
    caretLit_ = true;
    // The caret goes to the start, so the text must be drawn from there too.
    if (scrolled) Render();
    PlaceCaret();
  } else {
    hasFocus = false;
    if (caretShown_) {
      auto it = std::find(shownFrames.begin(), shownFrames.end(), &caretSurface_);
      if (it != shownFrames.end()) shownFrames.erase(it);
      caretShown_ = false;
      MarkChanged();
    }
  }
}

bool OTextField::KeyDown(int key, int /*modifiers*/) {
  const int length = static_cast<int>(text_.size());
  switch (key) {
    case platform::vk::kLeft:
      if (caret_ > 0) {
        if (caret_ == firstVisible_) {
          --firstVisible_;
          Render();
        }
        --caret_;
        PlaceCaret();
      }
      break;
    case platform::vk::kRight:
      if (caret_ < length) {
        ++caret_;
        // Scrolled after the move, so the caret never stands past the field's edge.
        if (TextWidthToCaret() > AvailableWidth()) {
          while (firstVisible_ < caret_ && TextWidthToCaret() > AvailableWidth()) ++firstVisible_;
          Render();
        }
        PlaceCaret();
      }
      break;
    case platform::vk::kDelete:
      if (caret_ < length) {
        text_.erase(static_cast<std::size_t>(caret_), 1);
        Render();
      }
      break;
    case platform::vk::kHome:
      caret_ = 0;
      firstVisible_ = 0;
      Render();
      PlaceCaret();
      break;
    case platform::vk::kEnd:
      caret_ = length;
      ScrollToCaret();
      Render();
      PlaceCaret();
      break;
    default:
      break;
  }
  return false;
}

void OTextField::Insert(char c) {
  if (static_cast<int>(text_.size()) >= maximumLength) return;
  text_.insert(text_.begin() + caret_, c);
  ++caret_;
  while (firstVisible_ < caret_ && TextWidthToCaret() > AvailableWidth()) ++firstVisible_;
}

void OTextField::Char(int character, int /*modifiers*/) {
  // Characters arrive as signed CP1251 bytes; Cyrillic letters are the high half.
  const int code = character & 0xFF;
  if (code == platform::vk::kBack) {
    if (!text_.empty() && caret_ > 0) {
      text_.erase(static_cast<std::size_t>(caret_ - 1), 1);
      --caret_;
      ScrollToCaret();
    }
  } else if (code < 32) {
    return;  // Enter, Tab and the other control characters
  } else {
    Insert(static_cast<char>(code));
  }
  Render();
  PlaceCaret();
}

void OTextField::SetText(const std::string& text) {
  text_ = text.substr(0, static_cast<std::size_t>(std::max(0, maximumLength)));
  caret_ = static_cast<int>(text_.size());
  ScrollToCaret();
  Render();
  PlaceCaret();
}

void OTextField::SetMargins(int x, int y) {
  marginX = x;
  marginY = y;
  ScrollToCaret();
  Render();
  PlaceCaret();
}

void OTextField::SetFont(const OTextStyle& style) {
  font = style;
  ScrollToCaret();
  Render();
  PlaceCaret();
}

}  // namespace tavlero
