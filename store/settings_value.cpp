// The raw value forms of the settings tree: integers, quoted strings with
// backslash escapes and bracketed integer lists.
#include <climits>
#include <cstdint>
#include <string>

#include "store/settings_tree.h"

namespace tavlero::settings_value {
namespace {

constexpr bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decimal with optional leading whitespace and sign, up to the first other
// character; no digits give 0. Values beyond the 32-bit range are clamped.
int ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<std::int64_t>(INT_MAX) + 1) magnitude = static_cast<std::int64_t>(INT_MAX) + 1;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

int ParseInt(std::string_view raw, int default_value) {
  if (raw.size() < 2 || raw[0] != '0' || raw[1] != 'x') return ParseDecimal(raw);
  // Hexadecimal as "%x" reads it: optional whitespace and sign, then digits, the
  // 32-bit value wrapping around.
  std::size_t i = 2;
  while (i < raw.size() && IsCSpace(raw[i])) ++i;
  bool negative = false;
  if (i < raw.size() && (raw[i] == '-' || raw[i] == '+')) negative = raw[i++] == '-';
  std::uint32_t value = 0;
  bool any = false;
  for (int digit; i < raw.size() && (digit = HexDigit(raw[i])) >= 0; ++i) {
    value = value * 16 + static_cast<std::uint32_t>(digit);
    any = true;
  }
  if (!any) return default_value;
  return static_cast<int>(negative ? 0u - value : value);
}

std::string DecodeString(std::string_view raw) {
  std::string text;
  if (raw.size() < 2) return text;
  const std::string_view inner = raw.substr(1, raw.size() - 2);
  text.reserve(inner.size());
  for (std::size_t i = 0; i < inner.size(); ++i) {
    char c = inner[i];
    if (c == '\\' && i + 1 < inner.size()) {
      switch (inner[i + 1]) {
        case 'n': c = '\n'; ++i; break;
        case 't': c = '\t'; ++i; break;
        case '0': c = '\0'; ++i; break;
        case '"': c = '"'; ++i; break;
        case '\\': c = '\\'; ++i; break;
        default: break;  // a lone backslash stays; the next character is read normally
      }
    }
    // The text is handed over as a NUL-terminated string: a NUL ends it.
    if (c == '\0') break;
    text.push_back(c);
  }
  return text;
}

std::string EncodeString(std::string_view text) {
  std::string raw;
  raw.reserve(text.size() + 2);
  raw.push_back('"');
  for (const char c : text) {
    switch (c) {
      case '"': raw += "\\\""; break;
      case '\t': raw += "\\t"; break;
      case '\n': raw += "\\n"; break;
      case '\0': raw += "\\0"; break;
      case '\\': raw += "\\\\"; break;
      default: raw.push_back(c); break;
    }
  }
  raw.push_back('"');
  return raw;
}

std::vector<int> ParseIntList(std::string_view raw, char separator) {
  std::vector<int> values;
  if (raw.size() < 2) return values;
  const std::string_view inner = raw.substr(1, raw.size() - 2);
  std::size_t i = 0;
  for (;;) {
    while (i < inner.size() && inner[i] == separator) ++i;
    if (i >= inner.size()) break;
    const std::size_t start = i;
    while (i < inner.size() && inner[i] != separator) ++i;
    values.push_back(ParseDecimal(inner.substr(start, i - start)));
  }
  return values;
}

std::string EncodeIntList(std::span<const int> values, char separator) {
  std::string raw = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) raw.push_back(separator);
    raw += std::to_string(values[i]);
  }
  raw.push_back(']');
  return raw;
}

}  // namespace tavlero::settings_value
