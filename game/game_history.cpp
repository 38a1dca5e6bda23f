#include "game/game_history.h"

#include <string>

#include "engine/dice_engine.h"
#include "engine/search_engine.h"
#include "store/sealed_file.h"

namespace tavlero {

std::string GameHistory::FileName(int kind) { return "cfg/game" + std::to_string(kind) + ".dat"; }

std::string GameHistory::Prefix(int number) { return "pos" + std::to_string(number); }

void GameHistory::Clear() {
  tree_.Clear();
  current = 0;
  latest = 0;
}

void GameHistory::Store(int number, const SearchEngine& engine) { engine.SaveState(tree_, Prefix(number)); }

void GameHistory::Store(int number, const DiceEngine& engine) { engine.SaveState(tree_, Prefix(number)); }

void GameHistory::Restore(int number, SearchEngine& engine) {
  engine.ClearSuccessors();
  engine.evalState = 0;
  engine.LoadState(tree_, Prefix(number));
}

void GameHistory::Restore(int number, DiceEngine& engine) {
  engine.ClearSuccessors();
  engine.LoadState(tree_, Prefix(number));
}

bool GameHistory::Has(int number) const {
  // Keys under the prefix sort right after "posN." and before anything that does not
  // begin with it; "pos1" must not claim the keys of "pos12", hence the dot.
  const std::string head = Prefix(number) + ".";
  const auto& entries = tree_.Entries();
  const auto first = entries.lower_bound(head);
  return first != entries.end() && first->first.compare(0, head.size(), head) == 0;
}

bool GameHistory::Save(const std::string& path, std::string* failure) {
  tree_.SetInt("PosNum", latest);
  const std::string text = tree_.ToText();
  return SaveSealedFile(path, text, kSavedGameKey, failure);
}

void GameHistory::Load(const std::string& path) {
  // An unreadable or damaged file leaves the text empty, which loads as an empty tree.
  std::string text;
  LoadSealedFile(path, text, kSavedGameKey);
  tree_.Clear();
  tree_.LoadText(text);
  latest = tree_.GetInt("PosNum", -1);
  current = latest;
}

}  // namespace tavlero
