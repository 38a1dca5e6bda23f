#include "gfx/choice_list.h"

#include <algorithm>

#include "gfx/control_look.h"

namespace tavlero {

OListEntry::OListEntry(const OSprite& listPicture, int index) : index_(index) {
  for (const OSprite* look : listPicture.subSprites) {
    OSprite* mine = AddSubSprite();
    if (look->frames.empty()) continue;
    const OSurface* frame = look->frames[std::clamp<std::size_t>(index, 0, look->frames.size() - 1)];
    mine->AddFrame(new OSurface(*frame));
    width = std::max(width, frame->Width());
    height = std::max(height, frame->Height());
  }
  ShowLook();
}

void OListEntry::ShowLook() { ShowLookOnce(*this, chosen_ ? kChosen : (hover_ ? kHover : kNormal)); }

void OListEntry::SetChosen(bool chosen) {
  chosen_ = chosen;
  ShowLook();
}

bool OListEntry::MouseMove(int x, int y, bool) {
  hover_ = visible && Hit(x, y);
  ShowLook();
  return hover_;
}

bool OListEntry::LButtonDown(int x, int y) {
  if (!visible || !Hit(x, y)) return false;
  clicked = true;
  return true;
}

bool OListEntry::LButtonUp(int x, int y) { return MouseMove(x, y, false); }

void OListEntry::SetFocus(bool focus) {
  hover_ = focus;
  ShowLook();
}

OChoiceList::OChoiceList(const OSprite& listPicture, int count, double x, double y, int pitch) {
  for (int i = 0; i < count; ++i) {
    auto* entry = new OListEntry(listPicture, i);
    entry->x = x;
    entry->y = y + pitch * i;
    entries_.push_back(entry);
  }
  Choose(0);
}

void OChoiceList::Choose(int index) {
  chosen_ = index >= 0 && index < static_cast<int>(entries_.size()) ? index : 0;
  for (OListEntry* entry : entries_) entry->SetChosen(entry->Index() == chosen_);
}

bool OChoiceList::Take(const OControl* control) {
  for (OListEntry* entry : entries_) {
    if (entry != control) continue;
    Choose(entry->Index());
    return true;
  }
  return false;
}

}  // namespace tavlero
