#include "ui/options_dialog.h"

#include "app/dialog_placement.h"
#include "platform/cp1251.h"
#include "sound/effects_player.h"
#include "sound/music_player.h"
#include "ui/confirm_dialog.h"
#include "ui/picture_tables.h"

namespace tavlero {

namespace {
constexpr int kCheckBoxPicture = 10, kSliderPicture = 12, kLevelListPicture = 18;  // button table
constexpr int kLevels = 3;
}  // namespace

OOptionsDialog::OOptionsDialog(OWindow* owner) : OMenuScreen(owner, BackgroundPicture(kBackgroundPicture)) {}

OOptionsDialog::~OOptionsDialog() = default;

OCheckBox* OOptionsDialog::AddCheckBox(int y, const char* utf8Caption) {
  auto* box = NewSpriteOf<OCheckBox>(ButtonPicture(kCheckBoxPicture), 0, 0, 0);
  box->captionStyle = TextStyle();
  box->captionStyle.sizePoints = 11;
  box->SetCaption(platform::Utf8ToCp1251(utf8Caption));
  return static_cast<OCheckBox*>(AddAt(box, 40, y));
}

void OOptionsDialog::Init() {
  if (Initialised()) return;
  OMenuScreen::Init();
  PlaceButtons(90, 340, 230, 340);
  SetTitlePicture(NewSpriteOf(JpPicture(kTitlePicture), 0, 0, 0));
  sound_ = AddCheckBox(74, "Звуки");
  music_ = AddCheckBox(114, "Музыка");
  autosave_ = AddCheckBox(154, "Автосохранение");
  soundVolume_ = static_cast<OVolumeSlider*>(AddAt(NewSpriteOf<OVolumeSlider>(ButtonPicture(kSliderPicture), 0, 0, 0), 250, 72));
  musicVolume_ = static_cast<OVolumeSlider*>(AddAt(NewSpriteOf<OVolumeSlider>(ButtonPicture(kSliderPicture), 0, 0, 0), 250, 112));
  levels_ = std::make_unique<OChoiceList>(ButtonPicture(kLevelListPicture), kLevels, content_.x + 40, content_.y + 200, 32);
  for (OListEntry* entry : levels_->Entries()) AddControl(entry);
}

void OOptionsDialog::Prepare(GameOptions* options, OConfirmDialog* confirmation) {
  options_ = options;
  confirmation_ = confirmation;
}

void OOptionsDialog::SetBox(OCheckBox* box, bool checked) {
  if (checked) {
    box->Check();
  } else {
    box->Uncheck();
  }
}

void OOptionsDialog::ShowModal(OScreen** ownerSlot) {
  EnsureInitialised();
  newGameAsked_ = false;
  if (options_) {
    openingLevel_ = options_->level;
    openingMusic_ = options_->music;
    openingSound_ = options_->sound;
    SetBox(autosave_, options_->autosave != 0);
    levels_->Choose(options_->level);
  }
  openingSoundVolume_ = Effects().Volume();
  openingMusicVolume_ = Music().Volume();
  SetBox(sound_, Effects().Enabled());
  SetBox(music_, options_ ? options_->music != 0 : Music().IsPlaying());
  soundVolume_->ShowVolume(openingSoundVolume_);
  musicVolume_->ShowVolume(openingMusicVolume_);
  OMenuScreen::ShowModal(ownerSlot);
}

void OOptionsDialog::OnFrame(int elapsedMs) {
  // The box follows the music option, whoever changed it (F3 or the foreground only
  // pause the music; without tracks nothing plays, yet the option stays on).
  if (options_ && music_->checked != (options_->music != 0)) SetBox(music_, options_->music != 0);
  OMenuScreen::OnFrame(elapsedMs);
}

OControl* OOptionsDialog::OnLButtonUp(int x, int y) {
  const bool sound = sound_->checked, music = music_->checked;
  OControl* control = OMenuScreen::OnLButtonUp(x, y);
  if (sound_->checked != sound) Effects().SetEnabled(sound_->checked);
  if (music_->checked != music) {
    if (options_) options_->music = music_->checked ? 1 : 0;
    if (music_->checked) {
      Music().Play(MusicPlayer::kRandomTrack);
    } else {
      Music().Stop();
    }
  }
  return control;
}

void OOptionsDialog::OnControl(OControl* control) {
  if (control == soundVolume_) {
    Effects().SetVolume(soundVolume_->Volume());
  } else if (control == musicVolume_) {
    Music().SetVolume(musicVolume_->Volume());
  } else if (!levels_->Take(control)) {
    OMenuScreen::OnControl(control);
  }
}

void OOptionsDialog::Ok() {
  const bool levelChanged = levels_->Chosen() != openingLevel_;
  const bool gameRunning = options_ && options_->score > 0;
  if (levelChanged && gameRunning && confirmation_ && OwnerSlot()) {
    ShowDialogScreen(*confirmation_, OwnerSlot());
    return;
  }
  CloseModal(0);
}

void OOptionsDialog::OnModalClosed(OScreen* screen, int result) {
  if (screen != nullptr && screen == confirmation_) {
    if (result == 0) {
      newGameAsked_ = true;
      CloseModal(0);
      return;
    }
    levels_->Choose(openingLevel_);
  }
}

void OOptionsDialog::Cancel() {
  if (options_) options_->music = openingMusic_;
  Effects().SetEnabled(openingSound_ != 0);
  Effects().SetVolume(openingSoundVolume_);
  Music().SetVolume(openingMusicVolume_);
  if (openingMusic_ && !Music().IsPlaying()) Music().Play(MusicPlayer::kRandomTrack);
  if (!openingMusic_ && Music().IsPlaying()) Music().Stop();
  CloseModal(1);
}

}  // namespace tavlero
