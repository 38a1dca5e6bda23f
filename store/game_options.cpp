#include "store/game_options.h"

#include <utility>

#include "store/sealed_file.h"

namespace tavlero {
namespace {

constexpr int kGameKindCount = 9;
constexpr int kLevelCount = 3;

constexpr const char* kAutosaveKey = "Game.Options.Autosave";
constexpr const char* kSoundKey = "Game.Options.Sound";
constexpr const char* kSoundVolumeKey = "Game.Options.SoundVolume";
constexpr const char* kMusicKey = "Game.Options.Music";
constexpr const char* kMusicVolumeKey = "Game.Options.MusicVolume";
constexpr const char* kPausedKey = "Game.Options.Paused";
constexpr const char* kLevelKey = "Game.Options.Level";
constexpr const char* kGameSpeedKey = "Game.Options.GameSpeed";
constexpr const char* kScoreKey = "Game.Options.Score";
constexpr const char* kGameKindKey = "Game.Options.GameKind";
constexpr const char* kPlayerNameKey = "Game.Options.PlayerName";
constexpr const char* kPlayerName1Key = "Game.Options.PlayerName1";
constexpr const char* kPlayerName2Key = "Game.Options.PlayerName2";
constexpr const char* kNewGameNeededKey = "Game.Options.NewGameNeeded";
constexpr const char* kWindowModeKey = "Game.Options.WindowMode";
constexpr const char* kTwoPlayerFlagKey = "Game.Options.TwoPlayerFlag";
constexpr const char* kFirstMoveFlagKey = "Game.Options.FirstMoveFlag";
constexpr const char* kUndoVisibleKey = "Game.Options.UndoVisible";
constexpr const char* kScoreTableKey = "Game.Scores.Table";

// Snapshot keys are bare: the snapshot tree holds nothing else.
constexpr const char* kSnapshotSoundKey = "Sound";
constexpr const char* kSnapshotAutosaveKey = "Autosave";
constexpr const char* kSnapshotLevelKey = "Level";
constexpr const char* kSnapshotGameSpeedKey = "GameSpeed";
constexpr const char* kSnapshotScoreKey = "Score";
constexpr const char* kSnapshotGameKindKey = "GameKind";

// Most flags count as set for any non-zero value; these three only for exactly 1.
bool ReadStrictFlag(OSettingsTree& tree, const char* key, int default_value) {
  return tree.GetInt(key, default_value) == 1;
}

// GameKind and Level index lists, pictures and saved-game names; a value outside
// their range falls back to the first entry.
int ReadIndex(OSettingsTree& tree, const char* key, int count) {
  const int value = tree.GetInt(key, 0);
  return value >= 0 && value < count ? value : 0;
}

// Reads every key in its fixed order into `options`. Returns whether the score table,
// the last key read, was present: without it the file is not used at all.
bool ReadOptions(OSettingsTree& tree, GameOptions& options) {
  options.autosave = tree.GetInt(kAutosaveKey, 0) != 0;
  options.sound = tree.GetInt(kSoundKey, 0) != 0;
  options.soundVolume = tree.GetInt(kSoundVolumeKey, options.soundVolume);
  options.music = tree.GetInt(kMusicKey, 1) != 0;
  options.musicVolume = tree.GetInt(kMusicVolumeKey, options.musicVolume);
  options.paused = tree.GetInt(kPausedKey, 0) != 0;
  options.level = ReadIndex(tree, kLevelKey, kLevelCount);
  options.gameSpeed = tree.GetInt(kGameSpeedKey, 2);
  options.score = tree.GetInt(kScoreKey, 100);
  options.gameKind = ReadIndex(tree, kGameKindKey, kGameKindCount);
  options.newGameNeeded = tree.GetInt(kNewGameNeededKey, 0) != 0;
  options.windowMode = tree.GetInt(kWindowModeKey, 0) != 0;
  options.twoPlayers = ReadStrictFlag(tree, kTwoPlayerFlagKey, 0);
  options.computerFirst = ReadStrictFlag(tree, kFirstMoveFlagKey, 1);
  options.undoVisible = ReadStrictFlag(tree, kUndoVisibleKey, 0);
  options.playerName = tree.GetString(kPlayerNameKey);
  options.playerName1 = tree.GetString(kPlayerName1Key, DefaultFirstPlayerName());
  options.playerName2 = tree.GetString(kPlayerName2Key, DefaultSecondPlayerName());
  const std::string table = tree.GetString(kScoreTableKey);
  if (tree.Failed()) return false;
  options.scores.Clear();
  options.scores.AddFromText(table);
  return true;
}

}  // namespace

GameOptions::GameOptions() {
  Reset();
  gameSpeed = 3;
}

void GameOptions::Reset() {
  autosave = 0;
  sound = 1;
  music = 1;
  paused = 0;
  level = 0;
  gameSpeed = 2;
  gameKind = 0;
  playerName.clear();
  playerName1 = DefaultFirstPlayerName();
  playerName2 = DefaultSecondPlayerName();
  windowMode = 0;
  twoPlayers = false;
  computerFirst = false;
  scores.Clear();
}

const std::string& DefaultFirstPlayerName() {
  static const std::string name = "\xCA\xEE\xEC\xEF\xFC\xFE\xF2\xE5\xF0";
  return name;
}

const std::string& DefaultSecondPlayerName() {
  static const std::string name = "\xC0\xED\xEE\xED\xE8\xEC";
  return name;
}

bool LoadGameOptions(const std::string& path, GameOptions& options) {
  // Read into a copy so that a file found unusable halfway leaves nothing behind.
  GameOptions loaded = options;
  bool used = false;
  std::string text;
  if (LoadSealedFile(path, text, kOptionsKey)) {
    // A parse error keeps the entries read before it; the score table decides.
    OSettingsTree tree;
    tree.LoadText(text);
    used = ReadOptions(tree, loaded);
  }
  if (used) {
    options = std::move(loaded);
  } else {
    options.Reset();
  }
  if (!options.autosave) {
    options.newGameNeeded = 1;
    options.score = 0;
  }
  return used;
}

bool SaveGameOptions(const std::string& path, const GameOptions& options, std::string* failure) {
  OSettingsTree tree;
  tree.SetInt(kAutosaveKey, options.autosave);
  tree.SetInt(kSoundKey, options.sound);
  tree.SetInt(kSoundVolumeKey, options.soundVolume);
  tree.SetInt(kMusicKey, options.music);
  tree.SetInt(kMusicVolumeKey, options.musicVolume);
  tree.SetInt(kPausedKey, options.paused);
  tree.SetInt(kLevelKey, options.level);
  tree.SetInt(kGameSpeedKey, options.gameSpeed);
  tree.SetInt(kScoreKey, options.score);
  tree.SetInt(kGameKindKey, options.gameKind);
  tree.SetString(kPlayerNameKey, options.playerName);
  tree.SetString(kPlayerName1Key, options.playerName1);
  tree.SetString(kPlayerName2Key, options.playerName2);
  tree.SetInt(kNewGameNeededKey, options.newGameNeeded);
  tree.SetInt(kWindowModeKey, options.windowMode);
  tree.SetInt(kTwoPlayerFlagKey, options.twoPlayers ? 1 : 0);
  tree.SetInt(kFirstMoveFlagKey, options.computerFirst ? 1 : 0);
  tree.SetInt(kUndoVisibleKey, options.undoVisible ? 1 : 0);
  tree.SetString(kScoreTableKey, options.scores.ToText());
  return SaveSealedFile(path, tree.ToText(), kOptionsKey, failure);
}

void OptionsSnapshot::Take(const GameOptions& options) {
  tree_.Clear();
  tree_.SetInt(kSnapshotSoundKey, options.sound);
  tree_.SetInt(kSnapshotAutosaveKey, options.autosave);
  tree_.SetInt(kSnapshotLevelKey, options.level);
  tree_.SetInt(kSnapshotGameSpeedKey, options.gameSpeed);
  tree_.SetInt(kSnapshotScoreKey, options.score);
  tree_.SetInt(kSnapshotGameKindKey, options.gameKind);
  held_ = true;
}

void OptionsSnapshot::Restore(GameOptions& options) {
  if (!held_) return;
  options.sound = tree_.GetInt(kSnapshotSoundKey, options.sound);
  options.autosave = tree_.GetInt(kSnapshotAutosaveKey, options.autosave);
  options.level = tree_.GetInt(kSnapshotLevelKey, options.level);
  options.gameSpeed = tree_.GetInt(kSnapshotGameSpeedKey, options.gameSpeed);
  options.score = tree_.GetInt(kSnapshotScoreKey, options.score);
  options.gameKind = tree_.GetInt(kSnapshotGameKindKey, options.gameKind);
  options.newGameNeeded = 0;
}

void OptionsSnapshot::Drop() {
  tree_.Clear();
  held_ = false;
}

}  // namespace tavlero
