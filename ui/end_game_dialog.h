// OEndGameDialog: opened by the board screen when a game has ended. It names the
// winner under a picture of the cup (with fireworks when the one human beat the
// computer) and plays the fanfare, or the computer's tune when the computer won.
// OK closes it with 0 and Cancel with 1; the board screen then starts a new game.
#pragma once

#include <string>

#include "ui/menu_screen.h"

namespace tavlero {

class OTextSprite;

class OEndGameDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 12;  // background table
  static constexpr int kTitlePicture = 6;        // jp table
  static constexpr int kCupPicture = 24;         // button table
  static constexpr int kCupFrame = 0, kFireworksFrame = 1;

  explicit OEndGameDialog(OWindow* owner);
  ~OEndGameDialog() override;

  void Init() override;
  // The game's outcome, given right before the dialog is shown: the winner (1 the first
  // player, anything else the second), whether two humans played, and the two names.
  void Prepare(int winner, bool twoPlayers, const std::string& name1, const std::string& name2);

  // Shows the winner's name and picture and plays the effect.
  void ShowModal(OScreen** ownerSlot) override;
  void Ok() override { CloseModal(0); }
  void Cancel() override { CloseModal(1); }

  OSprite* Cup() const { return cup_; }
  OTextSprite* Name() const { return name_; }

 private:
  OSprite* cup_ = nullptr;
  OTextSprite* name_ = nullptr;
  int winner_ = 0;
  bool twoPlayers_ = false;
  std::string name1_, name2_;
};

}  // namespace tavlero
