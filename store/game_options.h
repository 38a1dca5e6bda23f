// The player's options, names and score table, kept in the options file
// (cfg/board.dat: a sealed file holding a settings tree under "Game.Options" and
// "Game.Scores"). A file that cannot be used as a whole gives the reset values.
#pragma once

#include <string>

#include "store/score_table.h"
#include "store/settings_tree.h"

namespace tavlero {

constexpr const char* kOptionsFileName = "cfg/board.dat";
constexpr const char* kOptionsKey = "50719384";

struct GameOptions {
  int autosave = 0;
  int sound = 1;
  int soundVolume = 32768;  // handed to the effects player
  int music = 1;
  int musicVolume = 32768;  // handed to the music player
  int paused = 0;
  int level = 0;
  int gameSpeed = 3;
  int score = 100;          // above 0: a game is running
  int gameKind = 0;
  std::string playerName;   // CP1251, as every name
  std::string playerName1;  // the first player (the computer's side by default)
  std::string playerName2;
  int newGameNeeded = 0;
  int windowMode = 0;
  bool twoPlayers = false;
  bool computerFirst = false;  // FirstMoveFlag
  bool undoVisible = false;
  ScoreTable scores;

  GameOptions();
  // The reset values: what a first start, or an unusable file, gives.
  void Reset();
};

// The default names, CP1251.
const std::string& DefaultFirstPlayerName();   // "Компьютер"
const std::string& DefaultSecondPlayerName();  // "Аноним"

// Reads the options file into `options`. The volumes' defaults (for a file without
// them) are the values `options` holds on entry. A missing, damaged or foreign file,
// or one without the score table, gives the reset values (volumes unchanged). With
// Autosave off afterwards, a new game is asked for and no game counts as running.
// Returns true when the file was used.
bool LoadGameOptions(const std::string& path, GameOptions& options);

// Writes every option and the score table. False when the file could not be written
// (the old file is then untouched).
bool SaveGameOptions(const std::string& path, const GameOptions& options, std::string* failure = nullptr);

// The six options a demonstration puts back when it stops: Sound, Autosave, Level,
// GameSpeed, Score, GameKind.
class OptionsSnapshot {
 public:
  void Take(const GameOptions& options);
  // Puts the six values back (those missing keep their current value) and clears
  // the new-game request. Nothing when no snapshot is held.
  void Restore(GameOptions& options);
  void Drop();
  bool Held() const { return held_; }

 private:
  OSettingsTree tree_;
  bool held_ = false;
};

}  // namespace tavlero
