// OMenuScreen: the common base of the dialog screens. A dialog is its background
// picture (drawn behind everything), an optional title plaque centred at the top and
// an OK and a Cancel button. Enter works as OK and Escape as Cancel; a completed click
// on any of the dialog's controls plays the click effect. Each dialog gives OK and
// Cancel their meaning and ends them with CloseModal: 0 for OK, 1 for Cancel.
#pragma once

#include "app/screen.h"
#include "gfx/button.h"
#include "gfx/surface.h"

namespace tavlero {

class OMenuScreen : public OScreen {
 public:
  static constexpr double kBackgroundDepth = 10.0;
  static constexpr std::uint32_t kBackgroundColour = 0xE6E6E6;
  // The screen is this much larger than its background, to the right and below.
  static constexpr int kMargin = 5;
  static constexpr int kOkPicture = 2, kCancelPicture = 5;

  // The dialog's area inside the screen.
  struct ContentRect {
    int x = 0, y = 0, width = 0, height = 0;
  };

  // Dialog text: dark brown ink on the colour of the dialogs' face, so a text box sits
  // on the background without a seam; bold 16-point Times New Roman.
  static OTextStyle TextStyle();

  // Makes the background from a copy of the picture. The screen stands at (0, 0), as
  // large as the picture plus the margin; the main window places it when it shows it.
  OMenuScreen(OWindow* owner, const OSprite& backgroundPicture);
  ~OMenuScreen() override;

  // Once, after construction (the shared pictures are loaded): makes the OK and Cancel
  // buttons, in a row near the bottom. Dialogs add their own parts after calling it,
  // and return at once when Initialised() says it already ran. ShowModal runs it when
  // nobody did.
  virtual void Init();
  bool Initialised() const { return initialised_; }
  // Replaces the title plaque (taking ownership; null removes it) and centres it at the top.
  void SetTitlePicture(OSprite* title);
  // Nothing in the base.
  virtual void Ok() {}
  virtual void Cancel() {}

  void ShowModal(OScreen** ownerSlot) override;
  OControl* OnLButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnControl(OControl* control) override;

  OSprite* Background() const { return background_; }
  OSprite* Title() const { return title_; }
  OButton* OkButton() const { return ok_; }
  OButton* CancelButton() const { return cancel_; }
  const ContentRect& Content() const { return content_; }

 protected:
  // Moves the two buttons (content coordinates); either may be absent.
  void PlaceButtons(int okX, int okY, int cancelX, int cancelY);
  // Places a sprite at content coordinates and adds it; the screen owns it from then on.
  // A sprite without a picture cannot be added: it is deleted and null returned.
  OSprite* AddAt(OSprite* sprite, double x, double y, double z = 0);
  OButton* AddButtonAt(int picture, double x, double y);

  // Runs Init unless it ran.
  void EnsureInitialised() {
    if (!initialised_) Init();
  }

  ContentRect content_;
  OSprite* background_ = nullptr;
  OSprite* title_ = nullptr;
  OButton* ok_ = nullptr;
  OButton* cancel_ = nullptr;

 private:
  bool initialised_ = false;
};

}  // namespace tavlero
