// OSettingsTree: the program's one store for structured data. A flat map from
// dotted keys ("Game.Options.Sound") to raw value text, rendered to nested text
// with one named group per dotted component and read back from that text.
//
// The typed operations give the raw text its meaning: decimal integers, quoted
// strings with backslash escapes, bracketed integer lists. Every read sets the
// `failed` flag afresh (1 when the key is absent), as does every load; stores leave
// it alone. There are no exceptions and no messages: callers test `failed`.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavlero {

class OSettingsTree {
 public:
  // Keys sort byte by byte as unsigned bytes, a key before every longer key that
  // begins with it; std::string's ordering is exactly that.
  using EntryMap = std::map<std::string, std::string, std::less<>>;

  // Outcome of the last read or load: 0 or 1.
  std::int32_t failed = 0;
  bool Failed() const { return failed != 0; }

  // Typed reads. Absent key: failed = 1 and the default (an empty list for lists).
  int GetInt(std::string_view key, int default_value);
  std::string GetString(std::string_view key, std::string_view default_value = {});
  std::vector<int> GetIntList(std::string_view key, char separator = ' ');

  // Typed writes; storing a key again replaces its value.
  void SetInt(std::string_view key, std::int32_t value);
  void SetString(std::string_view key, std::string_view text);  // any bytes, NUL included
  void SetIntList(std::string_view key, std::span<const int> values, char separator = ' ');
  void SetIntList(std::string_view key, const int* values, int count, char separator = ' ');

  // The whole tree as nested text; sets failed = 0.
  std::string ToText();

  // Removes all entries and parses the text up to its first NUL byte. Returns true
  // when the parse succeeded (failed == 0); entries read before an error stay.
  bool LoadText(std::string_view text);
  // Removes all entries and parses the file's bytes. A file that cannot be opened
  // gives failed = 1 and an empty tree. Returns true when failed == 0.
  bool LoadFile(const std::string& path);

  // Removes all entries.
  void Clear();

  // Raw access to the stored value texts.
  const EntryMap& Entries() const { return entries_; }
  const std::string* FindRaw(std::string_view key) const;
  void SetRaw(std::string_view key, std::string_view raw_value);
  bool Contains(std::string_view key) const { return FindRaw(key) != nullptr; }
  std::size_t Size() const { return entries_.size(); }

 private:
  bool Parse(std::string_view input);

  EntryMap entries_;
};

// The conversions behind the typed operations, usable on raw value texts directly.
namespace settings_value {

// "0x" + hexadecimal digits, else a decimal number with optional leading
// whitespace and sign (no digits give 0). `default_value` covers "0x" without digits.
int ParseInt(std::string_view raw, int default_value);
// Drops the first and last character and decodes the escapes; stops at a decoded NUL.
std::string DecodeString(std::string_view raw);
// The quoted, escaped form of any bytes.
std::string EncodeString(std::string_view text);
std::vector<int> ParseIntList(std::string_view raw, char separator);
std::string EncodeIntList(std::span<const int> values, char separator);

}  // namespace settings_value

}  // namespace tavlero
