// OExitDialog: asked when the player leaves without Autosave, reminding that Autosave
// keeps the game. OK (0) leaves, "Играть" (3) and Cancel (1) stay.
#pragma once

#include "gfx/button.h"
#include "ui/menu_screen.h"

namespace tavlero {

class OTextSprite;

class OExitDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 12;  // background table
  static constexpr int kTitlePicture = 8;        // jp table
  static constexpr int kStayPicture = 7;         // button table
  static constexpr int kStayResult = 3;

  explicit OExitDialog(OWindow* owner);
  ~OExitDialog() override;

  void Init() override;
  void OnControl(OControl* control) override;
  void Ok() override { CloseModal(0); }
  void Cancel() override { CloseModal(1); }

  OButton* StayButton() const { return stay_; }
  OTextSprite* Message() const { return message_; }

 private:
  OButton* stay_ = nullptr;
  OTextSprite* message_ = nullptr;
};

}  // namespace tavlero
