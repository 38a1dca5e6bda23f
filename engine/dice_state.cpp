// Saving and restoring the dice game's state in a settings tree.
#include <algorithm>

#include "engine/dice_engine.h"
#include "store/settings_tree.h"

namespace tavlero {

namespace {

int ReadInt(const OSettingsTree& tree, const std::string& key) {
  const std::string* raw = tree.FindRaw(key);
  return raw ? settings_value::ParseInt(*raw, 0) : 0;
}

}  // namespace

void DiceEngine::LoadState(const OSettingsTree& tree, const std::string& prefix) {
  points.fill(0);
  if (const std::string* raw = tree.FindRaw(prefix + ".Position")) {
    const std::vector<int> stored = settings_value::ParseIntList(*raw, ' ');
    const std::size_t count = std::min<std::size_t>(stored.size(), kPoints);
    // A point never holds more than one side's fifteen checkers; clamping keeps a
    // hand-edited count from overflowing the evaluation.
    for (std::size_t i = 0; i < count; ++i) points[i] = std::clamp(stored[i], -kCheckers, kCheckers);
  }
  // A damaged side to move falls back to side +1, the side that opens a game.
  player = ReadInt(tree, prefix + ".Player") < 0 ? -1 : 1;
  // Dice outside 1 ... 6 read as used; the step counter stays within a roll.
  const auto readDie = [&](const char* key) {
    const int die = ReadInt(tree, prefix + key);
    return die >= 1 && die <= kMaxDie ? die : 0;
  };
  dice1 = readDie(".dice1");
  dice2 = readDie(".dice2");
  double_counter = std::clamp(ReadInt(tree, prefix + ".double_counter"), -1, kDoubleSteps);
  ClearSuccessors();
  ClearStepRecords();
}

void DiceEngine::SaveState(OSettingsTree& tree, const std::string& prefix) const {
  tree.SetIntList(prefix + ".Position", points.data(), kPoints, ' ');
  tree.SetInt(prefix + ".Player", player);
  tree.SetInt(prefix + ".dice1", dice1);
  tree.SetInt(prefix + ".dice2", dice2);
  tree.SetInt(prefix + ".double_counter", double_counter);
}

}  // namespace tavlero
