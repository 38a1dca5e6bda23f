#include "store/settings_tree.h"

#include <string>

#include "store/file_bytes.h"
#include "store/settings_reader.h"

namespace tavlero {
namespace {

// The components of a key before its last "." (the groups it stands in).
void SplitGroups(std::string_view key, std::vector<std::string_view>& groups, std::string_view& leaf) {
  groups.clear();
  std::size_t start = 0;
  for (std::size_t dot; (dot = key.find('.', start)) != std::string_view::npos; start = dot + 1) {
    groups.push_back(key.substr(start, dot - start));
  }
  leaf = key.substr(start);
}

}  // namespace

const std::string* OSettingsTree::FindRaw(std::string_view key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

void OSettingsTree::SetRaw(std::string_view key, std::string_view raw_value) {
  const auto it = entries_.find(key);
  if (it != entries_.end()) {
    it->second.assign(raw_value);
  } else {
    entries_.emplace(std::string(key), std::string(raw_value));
  }
}

int OSettingsTree::GetInt(std::string_view key, int default_value) {
  const std::string* raw = FindRaw(key);
  failed = raw == nullptr;
  return raw == nullptr ? default_value : settings_value::ParseInt(*raw, default_value);
}

std::string OSettingsTree::GetString(std::string_view key, std::string_view default_value) {
  const std::string* raw = FindRaw(key);
  failed = raw == nullptr;
  return raw == nullptr ? std::string(default_value) : settings_value::DecodeString(*raw);
}

std::vector<int> OSettingsTree::GetIntList(std::string_view key, char separator) {
  const std::string* raw = FindRaw(key);
  failed = raw == nullptr;
  return raw == nullptr ? std::vector<int>{} : settings_value::ParseIntList(*raw, separator);
}

void OSettingsTree::SetInt(std::string_view key, std::int32_t value) { SetRaw(key, std::to_string(value)); }

void OSettingsTree::SetString(std::string_view key, std::string_view text) {
  SetRaw(key, settings_value::EncodeString(text));
}

void OSettingsTree::SetIntList(std::string_view key, std::span<const int> values, char separator) {
  SetRaw(key, settings_value::EncodeIntList(values, separator));
}

void OSettingsTree::SetIntList(std::string_view key, const int* values, int count, char separator) {
  SetIntList(key, std::span<const int>(values, count > 0 && values != nullptr ? static_cast<std::size_t>(count) : 0),
             separator);
}

std::string OSettingsTree::ToText() {
  std::string text;
  std::vector<std::string_view> previous;
  std::vector<std::string_view> groups;
  std::string_view leaf;

  auto close_down_to = [&text](const std::vector<std::string_view>& open, std::size_t depth) {
    for (std::size_t d = open.size(); d-- > depth;) {
      text.append(d, '\t');
      text += "}\n";
    }
  };

  for (const auto& [key, value] : entries_) {
    SplitGroups(key, groups, leaf);
    std::size_t shared = 0;
    while (shared < groups.size() && shared < previous.size() && groups[shared] == previous[shared]) ++shared;
    close_down_to(previous, shared);
    for (std::size_t d = shared; d < groups.size(); ++d) {
      text.append(d, '\t');
      text += groups[d];
      text += " = {\n";
    }
    text.append(groups.size(), '\t');
    text += leaf;
    text += '=';
    text += value;
    text += '\n';
    previous.swap(groups);
  }
  close_down_to(previous, 0);
  failed = 0;
  return text;
}

bool OSettingsTree::Parse(std::string_view input) {
  failed = ReadSettingsText(input, *this) ? 0 : 1;
  return failed == 0;
}

bool OSettingsTree::LoadText(std::string_view text) {
  Clear();
  const std::size_t nul = text.find('\0');
  return Parse(nul == std::string_view::npos ? text : text.substr(0, nul));
}

bool OSettingsTree::LoadFile(const std::string& path) {
  Clear();
  std::string input;
  if (!ReadFileBytes(path, input)) {
    failed = 1;
    return false;
  }
  return Parse(input);
}

void OSettingsTree::Clear() { entries_.clear(); }

}  // namespace tavlero
