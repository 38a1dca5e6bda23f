// OTextSprite: a sprite that shows a text box (ui/text_box.h). Its one frame shares the
// box's pixels and colour key, so only the text shows where a screen draws it; setting
// a new text lays the box out again, draws it and asks the screen to repaint the sprite.
#pragma once

#include <memory>
#include <string>

#include "gfx/sprite.h"
#include "ui/text_box.h"

namespace tavlero {

class OTextSprite : public OSprite {
 public:
  OTextSprite(const OTextStyle& style, int width, int height);
  ~OTextSprite() override;

  // Shows the CP1251 text (tags allowed) with the alignment (ui/markup_tags.h). The same
  // text and alignment again change nothing, so a screen may set it on every tick; an
  // empty text leaves the box blank.
  void SetText(const std::string& cp1251Text, int alignment);
  // Pixels between lines (2 unless set); a text on show is drawn again with it.
  void SetLineGap(int gap);

  const std::string& Text() const { return text_; }
  int Alignment() const { return alignment_; }
  const OTextBox& Box() const { return *box_; }

 private:
  void Show();

  std::unique_ptr<OTextBox> box_;
  std::string text_;
  int alignment_ = 0;
  bool shown_ = false;  // the box holds text_ laid out with alignment_
};

}  // namespace tavlero
