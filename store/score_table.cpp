#include "store/score_table.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <utility>

namespace tavlero {
namespace {

constexpr int kMaxLinesPerGroup = 10;

using Group = std::pair<std::string, std::string>;

// A decimal number after optional whitespace and sign; no digits give 0. Values
// beyond the 32-bit range are held at its ends instead of wrapping.
std::int32_t ParseScore(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min(value * 10 + (text[at] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

// A field holding a tab or a line break would split or shift its line and lose the
// record on reading; such characters are written as spaces.
void AppendField(std::string& out, const std::string& field) {
  for (char c : field) out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
}

}  // namespace

void ScoreTable::Add(const ScoreRecord& record) {
  // After every record with an equal or lower score: equal scores keep their order.
  const auto at = std::upper_bound(
      records_.begin(), records_.end(), record.score,
      [](std::int32_t score, const ScoreRecord& other) { return score < other.score; });
  records_.insert(at, record);
}

void ScoreTable::Clear() { records_.clear(); }

std::string ScoreTable::ToText() const {
  std::map<Group, int> group_counts;
  std::string text;
  // Highest score first. Records with equal scores stay in the order they were
  // added, so reading the text back rebuilds the same order.
  auto run_end = records_.end();
  while (run_end != records_.begin()) {
    auto run_begin = run_end - 1;
    while (run_begin != records_.begin() && (run_begin - 1)->score == run_end[-1].score) --run_begin;
    for (auto record = run_begin; record != run_end; ++record) {
      int& count = group_counts[Group(record->second, record->third)];
      if (++count > kMaxLinesPerGroup) continue;
      AppendField(text, record->first);
      text += '\t';
      AppendField(text, record->second);
      text += '\t';
      AppendField(text, record->third);
      text += '\t';
      text += std::to_string(record->score);
      text += '\n';
    }
    run_end = run_begin;
  }
  return text;
}

void ScoreTable::AddFromText(std::string_view text) {
  ScoreRecord record;
  std::string field;
  int tabs = 0;
  const auto end_line = [&] {
    if (tabs == 3) {
      record.score = ParseScore(field);
      Add(record);
    }
    record = ScoreRecord{};
    field.clear();
    tabs = 0;
  };
  for (char c : text) {
    if (c == '\t') {
      ++tabs;
      if (tabs == 1) record.first = std::move(field);
      if (tabs == 2) record.second = std::move(field);
      if (tabs == 3) record.third = std::move(field);
      field.clear();
    } else if (c == '\n') {
      end_line();
    } else if (c != '\r') {
      field += c;
    }
  }
  // The last line needs no line feed.
  if (tabs != 0 || !field.empty()) end_line();
}

}  // namespace tavlero
