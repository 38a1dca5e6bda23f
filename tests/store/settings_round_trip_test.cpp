// Random trees written and read back, and damaged texts run through the reader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/random.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

// A key component that reads back: no whitespace or "=", not starting with "}"
// (which closes a group), "//" (which starts a comment) or "[" (a group's first
// leaf would read as a grid row). Empty components and CP1251 letters are fine.
std::string RandomComponent() {
  static const std::string alphabet =
      "abcXYZ019_-.{}[]\"\\/\xC0\xE0\xFF";  // "." is dropped below: it splits keys
  const int length = RandomBelow(5);
  std::string component;
  for (int i = 0; i < length; ++i) {
    const char c = alphabet[static_cast<std::size_t>(RandomBelow(static_cast<int>(alphabet.size())))];
    if (c == '.') continue;
    if (component.empty() && (c == '}' || c == '[')) continue;
    if (component == "/" && c == '/') continue;
    component.push_back(c);
  }
  return component;
}

std::string RandomBytes(int max_length) {
  static const char specials[] = {'\t', '\n', '\r', '\0', '"', '\\', ' ', '}', '=', '[', ']',
                                  '/', '\xC0', '\xFF', '\xB8', 'n', '0', 't'};
  std::string text;
  const int length = RandomBelow(max_length + 1);
  for (int i = 0; i < length; ++i) {
    text.push_back(RandomBelow(2) == 0 ? specials[RandomBelow(sizeof specials)]
                                       : static_cast<char>(32 + RandomBelow(95)));
  }
  return text;
}

TEST(SettingsRoundTripTest, RandomTreesOfTypedValuesReadBackExactly) {
  SeedRand(2024);
  for (int trial = 0; trial < 300; ++trial) {
    OSettingsTree tree;
    std::vector<std::pair<std::string, std::string>> strings;
    const int entries = 1 + RandomBelow(25);
    for (int i = 0; i < entries; ++i) {
      std::string key = RandomComponent();
      const int depth = RandomBelow(4);
      for (int d = 0; d < depth; ++d) key.append(1, '.').append(RandomComponent());
      switch (RandomBelow(3)) {
        case 0:
          tree.SetInt(key, Rand() * 65536 + Rand() - 1073741824);
          break;
        case 1: {
          const std::string text = RandomBytes(40);
          tree.SetString(key, text);
          strings.emplace_back(key, text);
          break;
        }
        default: {
          std::vector<int> values(static_cast<std::size_t>(RandomBelow(8)));
          for (int& value : values) value = Rand() - 16384;
          static const char separators[] = {' ', ',', ';', '\t'};
          tree.SetIntList(key, values, separators[RandomBelow(4)]);
          break;
        }
      }
    }
    const std::string text = tree.ToText();
    OSettingsTree back;
    back.LoadText(text);
    ASSERT_EQ(back.failed, 0) << text;
    ASSERT_EQ(back.Entries(), tree.Entries()) << text;
    for (const auto& [key, original] : strings) {
      if (tree.FindRaw(key) != nullptr && *tree.FindRaw(key) != settings_value::EncodeString(original)) continue;
      ASSERT_EQ(back.GetString(key), original.substr(0, original.find('\0'))) << text;
    }
  }
}

TEST(SettingsRoundTripTest, DamagedTextsNeverCrashTheReader) {
  SeedRand(99);
  OSettingsTree source;
  source.SetInt("Game.Options.Level", 2);
  source.SetString("Game.Options.PlayerName1", "a\"b\\c\td\ne");
  source.SetIntList("Game.State.Position", std::vector<int>{1, -1, 0, 2});
  source.SetRaw("Game.State.Grid", "{[ab][cd]}");
  source.SetString("Game.Scores.Table", "x\ty\tz\t5\n");
  const std::string text = source.ToText();

  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    OSettingsTree tree;
    tree.LoadText(text.substr(0, cut));
    ASSERT_TRUE(tree.failed == 0 || tree.failed == 1);
    ASSERT_LE(tree.Size(), source.Size());
  }
  for (int trial = 0; trial < 3000; ++trial) {
    std::string damaged = text;
    const int changes = 1 + RandomBelow(4);
    for (int i = 0; i < changes; ++i) {
      damaged[static_cast<std::size_t>(RandomBelow(static_cast<int>(damaged.size())))] = RandomBytes(1).append(1, '{')[0];
    }
    OSettingsTree tree;
    tree.LoadText(damaged);
    for (const auto& entry : tree.Entries()) {
      tree.GetInt(entry.first, 0);
      tree.GetString(entry.first);
      tree.GetIntList(entry.first);
    }
  }
  for (int trial = 0; trial < 3000; ++trial) {
    OSettingsTree tree;
    tree.LoadText(RandomBytes(60));
    tree.ToText();
  }
}

}  // namespace
}  // namespace tavlero
