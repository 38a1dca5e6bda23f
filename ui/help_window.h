// OHelpWindow: the rules of the games and the program's instructions, one long
// document ("cfg/help.dat", sealed) read in a document view with a scroll bar. Opened
// by the panel's help button and by F1; OK, Enter or Escape close it.
#pragma once

#include <memory>

#include "ui/document_view.h"
#include "ui/menu_screen.h"

namespace tavlero {

constexpr const char* kHelpFileName = "cfg/help.dat";
constexpr const char* kHelpKey = "RmuzTolk";
// The scroll bar pictures' width (the up and down buttons and the thumb).
constexpr int kHelpScrollBarWidth = 24;

// Where the document stands in the help window, and the style of its text.
DocumentViewPlace HelpViewPlace();
OTextStyle HelpTextStyle();

class OHelpWindow : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 0;  // background table
  static constexpr int kTitlePicture = 0;       // jp table
  static constexpr int kUpPicture = 8, kDownPicture = 9, kThumbPicture = 15;  // button table

  explicit OHelpWindow(OWindow* owner);
  ~OHelpWindow() override;

  void Init() override;
  // Reads the document afresh and shows its top.
  void ShowModal(OScreen** ownerSlot) override;
  void OnFrame(int elapsedMs) override;
  OControl* OnLButtonDown(int x, int y) override;
  OControl* OnLButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  int OnKeyUp(int key, int modifiers) override;
  void Ok() override { CloseModal(0); }
  void Cancel() override { CloseModal(1); }

  ODocumentView* View() const { return view_.get(); }

 private:
  std::unique_ptr<ODocumentView> view_;
};

}  // namespace tavlero
