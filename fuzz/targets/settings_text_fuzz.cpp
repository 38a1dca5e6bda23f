// The settings text reader on any bytes, every typed read of what it stored, and the
// writer and reader against each other: the entries' decoded values, stored again with
// the typed writes under plain keys, must read back unchanged from the rendered text.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "store/settings_tree.h"

namespace {

using tavlero::OSettingsTree;
using tavlero::fuzz::Require;

// Keys the game itself writes: dotted components of letters and digits. Other bytes
// become "_", so the rewritten tree holds only keys whose text form is unambiguous.
std::string PlainKey(const std::string& key) {
  std::string plain;
  bool componentEmpty = true;
  for (const char c : key) {
    if (c == '.') {
      if (componentEmpty) plain += '_';
      plain += '.';
      componentEmpty = true;
      continue;
    }
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    plain += letterOrDigit ? c : '_';
    componentEmpty = false;
  }
  if (componentEmpty) plain += '_';
  return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  OSettingsTree tree;
  tree.LoadText(tavlero::fuzz::AsText(data, size));

  // Every typed read of every entry, and the tree's own rendering read back.
  OSettingsTree rewritten;
  int index = 0;
  for (const auto& [key, raw] : tree.Entries()) {
    const int number = tree.GetInt(key, -7);
    const std::string text = tree.GetString(key, "default");
    const std::vector<int> spaced = tree.GetIntList(key, ' ');
    const std::vector<int> commas = tree.GetIntList(key, ',');
    Require(!tree.Failed(), "a stored key reads as absent");
    const std::string plain = PlainKey(key) + "." + std::to_string(index++);
    rewritten.SetInt(plain + ".Number", number);
    rewritten.SetString(plain + ".Text", text);
    rewritten.SetIntList(plain + ".List", spaced, ' ');
    rewritten.SetIntList(plain + ".Commas", commas, ',');
  }
  OSettingsTree reread;
  reread.LoadText(tree.ToText());

  const std::string text = rewritten.ToText();
  OSettingsTree back;
  Require(back.LoadText(text), "the writer's text does not parse");
  Require(back.Entries() == rewritten.Entries(), "the writer's text reads back other entries");
  for (const auto& [key, raw] : rewritten.Entries()) {
    if (key.ends_with(".Text")) {
      Require(back.GetString(key) == rewritten.GetString(key), "a string reads back changed");
    } else if (key.ends_with(".Number")) {
      Require(back.GetInt(key, 1) == rewritten.GetInt(key, 2), "a number reads back changed");
    } else if (key.ends_with(".List")) {
      Require(back.GetIntList(key, ' ') == rewritten.GetIntList(key, ' '), "a list reads back changed");
    }
  }
  return 0;
}
