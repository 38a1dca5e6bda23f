// OPlayersDialog: the two players' names, whether the second player is the computer
// or a second person, and who moves first. While the computer plays, the first name
// is the computer's own and cannot be edited. Cancel changes nothing.
#pragma once

#include <memory>
#include <string>

#include "gfx/choice_list.h"
#include "gfx/text_field.h"
#include "ui/menu_screen.h"

namespace tavlero {

class OTextSprite;

class OPlayersDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 11;  // background table
  static constexpr int kTitlePicture = 5;        // jp table
  static constexpr int kNameLength = 20;

  explicit OPlayersDialog(OWindow* owner);
  ~OPlayersDialog() override;

  void Init() override;
  // What the dialog shows when it opens.
  void Prepare(const std::string& name1, const std::string& name2, bool twoPlayers, bool computerFirst);
  void ShowModal(OScreen** ownerSlot) override;
  OControl* OnLButtonDown(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnChar(int character, int modifiers) override;
  void OnControl(OControl* control) override;
  void Ok() override;
  void Cancel() override { CloseModal(1); }

  // The choices, read by whoever opened the dialog once it closed with OK.
  const std::string& Name1() const { return name1_; }
  const std::string& Name2() const { return name2_; }
  bool TwoPlayers() const { return twoPlayers_; }
  bool ComputerFirst() const { return computerFirst_; }

  OTextField* Field(int i) const { return i == 0 ? field1_ : field2_; }
  const OChoiceList& Opponent() const { return *opponent_; }
  const OChoiceList& FirstMove() const { return *firstMove_; }

 private:
  OTextField* AddField(int y);
  // While the computer plays, the first field holds its name and never the focus.
  void KeepComputersName();

  OTextField* field1_ = nullptr;
  OTextField* field2_ = nullptr;
  std::unique_ptr<OChoiceList> opponent_;
  std::unique_ptr<OChoiceList> firstMove_;
  std::string name1_, name2_;
  bool twoPlayers_ = false;
  bool computerFirst_ = false;
};

}  // namespace tavlero
