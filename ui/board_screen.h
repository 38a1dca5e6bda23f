// OBoardScreen: the 800 x 600 screen a game is played on, without the game itself:
// the board backdrop of the kind, the side panel with its buttons, displays, name
// plates and piece counters, the options, the new-game request, the demonstration's
// blinking banners, window dragging by the top rows, and the reactions when a dialog
// opened from here closes. The game screen (ui/game_screen.h) derives from it and
// fills in the operations that depend on the game kinds.
#pragma once

#include <array>
#include <string>

#include "app/screen.h"
#include "gfx/button.h"
#include "store/game_options.h"

namespace tavlero {

class OTextSprite;
class OMenuScreen;
class OEndGameDialog;
class OConfirmDialog;
class OOptionsDialog;
class OGameSelectDialog;
class OPlayersDialog;
class OExitDialog;
class OHelpWindow;

// The dialogs the board screen opens; owned by the main window.
struct BoardDialogs {
  OEndGameDialog* endOfGame = nullptr;
  OConfirmDialog* confirmation = nullptr;
  OOptionsDialog* options = nullptr;
  OGameSelectDialog* gameSelection = nullptr;
  OPlayersDialog* players = nullptr;
  OExitDialog* exit = nullptr;
  OHelpWindow* help = nullptr;
};

class OBoardScreen : public OScreen {
 public:
  static constexpr int kWidth = 800, kHeight = 600;
  // The top rows of the window stand in for the missing caption: a press there drags.
  static constexpr int kDragRows = 10;
  static constexpr int kBlinkMs = 600;

  explicit OBoardScreen(OWindow* owner);
  ~OBoardScreen() override;

  // Builds the panel (once, after construction; the shared pictures are loaded).
  virtual void Init();

  // The operations the game screen fills in.
  virtual void NewGame() {}
  virtual void Save() {}
  virtual void Load() {}
  virtual void RestoreLatest() {}
  virtual void StartDemo() {}
  virtual void StopDemo() {}
  virtual int MovesMade() { return 0; }
  virtual void LoadPictures() {}
  virtual void CheckGameEnd() {}
  // Who won the game that ended: 1 the first player, 2 the second, 0 nobody.
  virtual int Winner() const { return 0; }
  virtual bool DemoRunning() const { return false; }
  // Another kind, or other players, chosen in the game selection: the game on the board
  // changes (a kind of its own resumes its saved game with Autosave on).
  virtual void SwitchGame(int /*kind*/, bool /*playersChanged*/) {}

  // Loads the options and the saved game, then becomes the current screen.
  void ShowModal(OScreen** ownerSlot) override;
  void OnFrame(int elapsedMs) override;
  OControl* OnLButtonDown(int x, int y) override;
  OControl* OnLButtonUp(int x, int y) override;
  void OnControl(OControl* control) override;
  void OnModalClosed(OScreen* screen, int result) override;
  void OnKeyDown(int key, int modifiers) override;

  void SetDialogs(const BoardDialogs& dialogs) { dialogs_ = dialogs; }
  const BoardDialogs& Dialogs() const { return dialogs_; }
  // Opens the help window over the board.
  void OpenHelp();
  // Writes the options file now; false when it could not be written.
  bool SaveOptions();
  // Reads the options file and applies it to the players and the panel.
  void LoadOptions();
  // Shows the backdrop of the current kind, the plates, labels and counters.
  void RefreshPanel();
  // The two piece counters beside the name plates (first player, second player).
  void ShowPieceCounts(int first, int second);
  void SetUndoVisible(bool visible);
  // The disc game's notice that the player has no move and the turn passes.
  void ShowPassNotice(bool shown) { passNotice_->visible = shown; }
  bool PassNoticeShown() const { return passNotice_->visible; }
  bool EndDialogUp() const { return endDialogUp_; }
  bool Dragging() const { return dragging_; }
  const OButton* DemoButton() const { return demoButton_; }
  const OButton* UndoButton() const { return undoButton_; }

  GameOptions options;
  OptionsSnapshot snapshot;

 protected:
  // The end banner is up (the game screen keeps it); the panel's commands read it.
  bool bannerShown = false;
  // Opens the end-of-game dialog over the board.
  void OpenEndOfGameDialog();
  // Plays effect `id` unless the demonstration runs.
  void PlayEffect(int id);
  // Stops a running demonstration; true when one ran.
  bool StopDemoIfRunning();
  void ShowDemoBanners(bool shown);
  // The file of the current kind's saved game.
  std::string SavedGamePath() const;

  OButton* undoButton_ = nullptr;
  OSprite* passNotice_ = nullptr;

 private:
  void AddPanelSprite(OSprite* sprite, double x, double y, double z);
  OButton* AddPanelButton(int picture, double x, double y, double z);
  void UpdateLabels();
  void Blink(int elapsedMs);
  void ToggleFullScreen();
  void RequestNewGame();
  // Shows a dialog over the board; false when there is none or the board is not shown.
  bool ShowDialog(OScreen* dialog);
  void ApplyOptionsDialog();

  BoardDialogs dialogs_;
  std::array<OSprite*, 4> boardBackdrops_{};  // 8 x 8, 14 x 14, rhombus, dice board
  OSprite* kindDisplay_ = nullptr;
  OSprite* levelDisplay_ = nullptr;
  OButton* newGameButton_ = nullptr;
  OButton* demoButton_ = nullptr;
  OButton* optionsButton_ = nullptr;
  OButton* gameButton_ = nullptr;
  OButton* helpButton_ = nullptr;
  OButton* fullScreenButton_ = nullptr;
  OButton* minimiseButton_ = nullptr;
  OButton* exitButton_ = nullptr;
  std::array<OSprite*, 2> plates_{};
  std::array<OTextSprite*, 2> nameLabels_{};
  std::array<OSprite*, 2> counterIcons_{};
  std::array<OTextSprite*, 2> counters_{};
  std::array<int, 2> shownCounts_{-1, -1};
  std::array<OSprite*, 2> demoBanners_{};
  bool dragging_ = false;
  int grabX_ = 0, grabY_ = 0;
  int blinkTimer_ = 0;
  bool endDialogUp_ = false;
  int kindAtNewGame_ = 0;
};

}  // namespace tavlero
