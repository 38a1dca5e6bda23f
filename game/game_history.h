// The history of the running game: every stored position under its number ("pos1",
// "pos2", ...), the number the board shows and the latest number kept. Undo walks it
// back; saved, it is the kind's saved game (cfg/game%d.dat, a sealed file holding the
// history as settings text with "PosNum" the latest number).
#pragma once

#include <string>

#include "store/settings_tree.h"

namespace tavlero {

class SearchEngine;
class DiceEngine;

constexpr const char* kSavedGameKey = "GiRoMuLaPeVo";

class GameHistory {
 public:
  // "cfg/game%d.dat".
  static std::string FileName(int kind);
  // "pos%d", the number without padding.
  static std::string Prefix(int number);

  // An empty history: no position stored, both numbers 0.
  void Clear();

  // Stores the position under `number` (replacing what was there).
  void Store(int number, const SearchEngine& engine);
  void Store(int number, const DiceEngine& engine);
  // Loads the position stored under `number` into the engine (after clearing its
  // successors and cached evaluation). Missing keys read as the engine's defaults, and
  // the engine's own clamps keep a hand-edited position safe.
  void Restore(int number, SearchEngine& engine);
  void Restore(int number, DiceEngine& engine);
  // True when anything is stored under `number`.
  bool Has(int number) const;

  // Writes "PosNum" = latest and seals the history into `path`. False when the file
  // could not be written (the old file is then untouched), with `failure` saying why.
  bool Save(const std::string& path, std::string* failure = nullptr);
  // Replaces the history with the file's (an unreadable or damaged file gives an
  // empty history); latest and current become "PosNum", -1 when absent.
  void Load(const std::string& path);

  OSettingsTree& Tree() { return tree_; }
  const OSettingsTree& Tree() const { return tree_; }

  int current = 0;  // the number of the position the board shows
  int latest = 0;   // the highest number kept

 private:
  OSettingsTree tree_;
};

}  // namespace tavlero
