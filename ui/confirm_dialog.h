// OConfirmDialog: asks before a running game is thrown away ("the game's results will
// be lost"). OK closes it with 0 (go ahead), Cancel with 1 (keep the game); the screen
// below acts on the result.
#pragma once

#include "ui/menu_screen.h"

namespace tavlero {

class OTextSprite;

class OConfirmDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 12;  // background table
  static constexpr int kTitlePicture = 7;        // jp table
  static constexpr int kLineGap = 15;

  explicit OConfirmDialog(OWindow* owner);
  ~OConfirmDialog() override;

  void Init() override;
  void Ok() override { CloseModal(0); }
  void Cancel() override { CloseModal(1); }

  OTextSprite* Message() const { return message_; }

 private:
  OTextSprite* message_ = nullptr;
};

}  // namespace tavlero
