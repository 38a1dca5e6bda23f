#include "ui/help_window.h"

#include "app/window.h"
#include "ui/picture_tables.h"

namespace tavlero {

DocumentViewPlace HelpViewPlace() {
  DocumentViewPlace place;
  place.x = 17;
  place.y = 57;
  place.width = 560 - 2 * 17;
  // Down to the row of the OK button, which sits 12 pixels above the frame's bottom.
  place.height = 560 - 57 - 64;
  place.margin = 5;
  return place;
}

OTextStyle HelpTextStyle() {
  OTextStyle style;
  style.textColour = 0x640B00;
  style.backgroundColour = 0xD28031;
  style.styleFlags = 0;
  style.sizePoints = 14;
  style.faceName = "Times new roman";
  return style;
}

OHelpWindow::OHelpWindow(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OHelpWindow::~OHelpWindow() = default;

void OHelpWindow::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  // One button closes the window; Escape does the same.
  if (cancel_) RemoveControl(cancel_, true);
  cancel_ = nullptr;
  PlaceButtons((content_.width - (ok_ ? ok_->width : 0)) / 2, content_.height - 52, 0, 0);
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  view_ = std::make_unique<ODocumentView>(*this, HelpViewPlace(), ButtonPicture(kUpPicture),
                                          ButtonPicture(kDownPicture), ButtonPicture(kThumbPicture),
                                          HelpTextStyle(), true);
}

void OHelpWindow::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  view_->Load(kHelpFileName, kHelpKey);
  OMenuScreen::ShowModal(ownerSlot);
}

void OHelpWindow::OnFrame(int elapsedMs) {
  if (view_) {
    int cx = 0, cy = 0;
    if (Owner()) Owner()->GetCursorClientPos(cx, cy);
    view_->Tick(cy - Y());
  }
  OMenuScreen::OnFrame(elapsedMs);
}

OControl* OHelpWindow::OnLButtonDown(int x, int y) {
  if (view_ && view_->LButtonDown(x - X(), y - Y())) return nullptr;
  return OMenuScreen::OnLButtonDown(x, y);
}

OControl* OHelpWindow::OnLButtonUp(int x, int y) {
  if (view_) view_->LButtonUp(x - X(), y - Y());
  return OMenuScreen::OnLButtonUp(x, y);
}

void OHelpWindow::OnKeyDown(int key, int modifiers) {
  if (view_ && view_->KeyDown(key)) return;
  OMenuScreen::OnKeyDown(key, modifiers);
}

int OHelpWindow::OnKeyUp(int key, int modifiers) {
  if (view_) view_->KeyUp(key);
  return OMenuScreen::OnKeyUp(key, modifiers);
}

}  // namespace tavlero
