// ODocumentView: one long formatted document in a text box with a vertical scroll bar
// (an up button, a down button and a thumb that can be dragged), scrolled by pixels or
// by whole lines with the mouse and the keyboard. The owner screen holds its sprites
// and passes it the input.
#pragma once

#include <string>

#include "gfx/surface.h"
#include "ui/text_box.h"

namespace tavlero {

class OScreen;
class OSprite;

struct DocumentViewPlace {
  int x = 0, y = 0, width = 0, height = 0;  // the whole view, scroll bar included
  int margin = 5;                            // around the text, inside the view
};

// The text a document view shows for a file: a sealed file's content with every line
// feed made a space (line breaks come from <br> tags), or, without a key, a plain file
// read word by word ("\n" and "<br>" words become line breaks). "Invalid file" when the
// file cannot be read or unsealed; "Invalid file name" for an empty name.
std::string LoadDocumentText(const std::string& fileName, const std::string& key);

class ODocumentView {
 public:
  static constexpr int kStill = 0, kScrollingUp = 1, kScrollingDown = 2;
  // Between the text and the scroll bar.
  static constexpr int kScrollBarGap = 4;

  // The size of the text box inside a view whose scroll bar is this wide.
  static int TextWidth(const DocumentViewPlace& place, int scrollBarWidth) {
    return place.width - scrollBarWidth - kScrollBarGap - 2 * place.margin;
  }
  static int TextHeight(const DocumentViewPlace& place) { return place.height - 2 * place.margin; }

  // Adds the text sprite and the scroll bar's three sprites to the owner, which owns them.
  ODocumentView(OScreen& owner, const DocumentViewPlace& place, const OSprite& upPicture,
                const OSprite& downPicture, const OSprite& thumbPicture, const OTextStyle& style, bool pixelMode);
  ODocumentView(const ODocumentView&) = delete;
  ODocumentView& operator=(const ODocumentView&) = delete;

  // Loads a document (see LoadDocumentText) and scrolls to its top.
  void Load(const std::string& fileName, const std::string& key);
  // Shows a CP1251 markup text and scrolls to its top.
  void SetText(const std::string& text);

  // Clamps the position to the scroll range, moves the thumb and redraws the text.
  void ScrollTo(int position);
  int Position() const { return position_; }
  // The largest position: the text height (or lines) that does not fit the box.
  int Range() const;
  // One page: the box height in pixel mode, the lines that fit from the first one else.
  int PageSize() const;
  int ThumbTop() const;

  // Input, in the owner's window coordinates. Each returns true when it was the view's.
  bool KeyDown(int key);
  void KeyUp(int key);
  bool LButtonDown(int x, int y);
  void LButtonUp(int x, int y);
  // A frame tick: a held button or key scrolls by the step, a dragged thumb follows
  // the mouse's y.
  void Tick(int mouseY);

  int ScrollState() const { return scrollState_; }
  bool Dragging() const { return dragging_; }
  const OTextBox& Box() const { return box_; }
  const OSprite* Thumb() const { return thumb_; }

  // Pixels (or lines) one frame of held scrolling moves.
  int step;

 private:
  int TrackTop() const;
  int TrackBottom() const;
  int FreeTrack() const;
  void PlaceThumb();
  void Redraw();
  static bool Inside(const OSprite& sprite, int x, int y);

  OScreen& owner_;
  DocumentViewPlace place_;
  bool pixelMode_;
  OTextBox box_;
  OSprite* text_ = nullptr;
  OSprite* up_ = nullptr;
  OSprite* down_ = nullptr;
  OSprite* thumb_ = nullptr;
  int position_ = 0;
  int scrollState_ = kStill;
  bool dragging_ = false;
  int grabOffset_ = 0;  // from the thumb's top to the mouse when the drag began
};

}  // namespace tavlero
