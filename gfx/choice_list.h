// A list of entries of which one is chosen (the level list, the game kinds, the
// opponent and first-move choices). The list picture holds every entry's looks at
// once: sub-sprite s is the look (0 normal, 1 chosen, 2 hover), frame k entry k. Each
// entry is a control of its own; the list keeps which one is chosen.
#pragma once

#include <vector>

#include "gfx/control.h"

namespace tavlero {

class OListEntry : public OControl {
 public:
  static constexpr int kNormal = 0, kChosen = 1, kHover = 2;

  // Entry `index` of the list picture: its three looks share the picture's pixels.
  OListEntry(const OSprite& listPicture, int index);

  bool MouseMove(int x, int y, bool buttonDown) override;
  bool LButtonDown(int x, int y) override;
  bool LButtonUp(int x, int y) override;
  void SetFocus(bool focus) override;

  void SetChosen(bool chosen);
  bool Chosen() const { return chosen_; }
  int Index() const { return index_; }

 private:
  void ShowLook();

  int index_;
  bool chosen_ = false;
  bool hover_ = false;
};

class OChoiceList {
 public:
  // Makes `count` entries stacked `pitch` pixels apart from (x, y). The caller adds
  // them to its screen (Entries()), which then owns them.
  OChoiceList(const OSprite& listPicture, int count, double x, double y, int pitch);

  const std::vector<OListEntry*>& Entries() const { return entries_; }
  int Chosen() const { return chosen_; }
  // An index out of range chooses the first entry.
  void Choose(int index);
  // When `control` is one of the entries, chooses it and returns true.
  bool Take(const OControl* control);

 private:
  std::vector<OListEntry*> entries_;
  int chosen_ = 0;
};

}  // namespace tavlero
