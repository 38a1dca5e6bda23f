// OGameSelectDialog: the nine game kinds and the players button. OK with another kind
// (or other players) while a game runs that would be lost asks first.
#pragma once

#include <memory>

#include "gfx/button.h"
#include "gfx/choice_list.h"
#include "store/game_options.h"
#include "ui/menu_screen.h"

namespace tavlero {

class OConfirmDialog;
class OPlayersDialog;

class OGameSelectDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 11;  // background table
  static constexpr int kTitlePicture = 3;        // jp table
  static constexpr int kPlayersPicture = 11;     // jp table
  static constexpr int kKinds = 9;

  explicit OGameSelectDialog(OWindow* owner);
  ~OGameSelectDialog() override;

  void Init() override;
  // The options the dialog shows and changes (the names and the players' flags when the
  // players dialog closes with OK), and the dialogs it opens.
  void Prepare(GameOptions* options, OPlayersDialog* players, OConfirmDialog* confirmation);
  void ShowModal(OScreen** ownerSlot) override;
  void OnControl(OControl* control) override;
  void OnModalClosed(OScreen* screen, int result) override;
  void Ok() override;
  void Cancel() override;

  int ChosenKind() const { return kinds_->Chosen(); }
  // The kind, or who plays, differs from the game on the board.
  bool Changed() const;
  // The opponent or who moves first differs from the game on the board.
  bool PlayersChanged() const;
  OButton* PlayersButton() const { return playersButton_; }
  const OChoiceList& Kinds() const { return *kinds_; }

 private:
  GameOptions* options_ = nullptr;
  OPlayersDialog* players_ = nullptr;
  OConfirmDialog* confirmation_ = nullptr;
  OButton* playersButton_ = nullptr;
  std::unique_ptr<OChoiceList> kinds_;
  bool openingTwoPlayers_ = false, openingComputerFirst_ = false;
};

}  // namespace tavlero
