// OOptionsDialog: sound and music on or off, their volumes, Autosave and the level of
// the computer. Sound, music and the volumes take effect at once (Cancel puts them
// back); the level and Autosave are the board screen's to apply when the dialog
// closes with OK. A level change while a game runs asks first, since the game is lost.
#pragma once

#include <memory>

#include "gfx/check_box.h"
#include "gfx/choice_list.h"
#include "gfx/volume_slider.h"
#include "store/game_options.h"
#include "ui/menu_screen.h"

namespace tavlero {

class OConfirmDialog;

class OOptionsDialog : public OMenuScreen {
 public:
  static constexpr int kBackgroundPicture = 8;  // background table
  static constexpr int kTitlePicture = 1;       // jp table

  explicit OOptionsDialog(OWindow* owner);
  ~OOptionsDialog() override;

  void Init() override;
  // The options the dialog shows and changes, and the dialog that guards a running
  // game; given right before the dialog is shown.
  void Prepare(GameOptions* options, OConfirmDialog* confirmation);
  void ShowModal(OScreen** ownerSlot) override;
  void OnFrame(int elapsedMs) override;
  // Check boxes toggle on the release without firing OnControl: their changes are
  // taken here.
  OControl* OnLButtonUp(int x, int y) override;
  void OnControl(OControl* control) override;
  void OnModalClosed(OScreen* screen, int result) override;
  void Ok() override;
  void Cancel() override;

  int ChosenLevel() const { return levels_->Chosen(); }
  bool SoundChecked() const { return sound_->checked; }
  bool AutosaveChecked() const { return autosave_->checked; }
  // The player agreed to lose the running game for a new level.
  bool NewGameAsked() const { return newGameAsked_; }

  OCheckBox* SoundBox() const { return sound_; }
  OCheckBox* MusicBox() const { return music_; }
  OCheckBox* AutosaveBox() const { return autosave_; }
  OVolumeSlider* SoundSlider() const { return soundVolume_; }
  OVolumeSlider* MusicSlider() const { return musicVolume_; }
  const OChoiceList& Levels() const { return *levels_; }

 private:
  OCheckBox* AddCheckBox(int y, const char* utf8Caption);
  void SetBox(OCheckBox* box, bool checked);

  GameOptions* options_ = nullptr;
  OConfirmDialog* confirmation_ = nullptr;
  OCheckBox* sound_ = nullptr;
  OCheckBox* music_ = nullptr;
  OCheckBox* autosave_ = nullptr;
  OVolumeSlider* soundVolume_ = nullptr;
  OVolumeSlider* musicVolume_ = nullptr;
  std::unique_ptr<OChoiceList> levels_;
  // What Cancel puts back.
  int openingLevel_ = 0;
  int openingMusic_ = 0, openingSound_ = 0;
  int openingSoundVolume_ = 0, openingMusicVolume_ = 0;
  bool newGameAsked_ = false;
};

}  // namespace tavlero
