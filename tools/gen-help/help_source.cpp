#include "help_source.h"

#include <cstdio>
#include <set>

#include "platform/cp1251.h"
#include "ui/markup_tags.h"

namespace tavlero::help {
namespace {

// Length of the UTF-8 sequence a lead byte announces; 1 for a byte that cannot lead
// one, so that the round trip below reports it.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

std::string Describe(std::string_view sequence) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
  unsigned code = 0;
  if (sequence.size() == 2) code = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
  if (sequence.size() == 3) code = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
  if (sequence.size() == 4)
    code = ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) | (byte(3) & 0x3Fu);
  bool wellFormed = sequence.size() > 1;
  for (std::size_t i = 1; i < sequence.size(); ++i) wellFormed = wellFormed && (byte(i) & 0xC0u) == 0x80u;
  char text[96];
  if (!wellFormed) {
    std::snprintf(text, sizeof text, "byte 0x%02X is not UTF-8", byte(0));
  } else {
    std::snprintf(text, sizeof text, "U+%04X \"%.*s\" has no place in CP1251", code,
                  static_cast<int>(sequence.size()), sequence.data());
  }
  return text;
}

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

// Checks the tag that starts at `text[at]` (a '<'); returns its length, or 1 when it
// is not a tag at all (the problem has been noted).
std::size_t CheckTag(std::string_view text, std::size_t at, std::set<std::string, std::less<>>& pictures,
                     std::string& problem) {
  std::size_t end = at + 1;
  while (end < text.size() && text[end] != '>' && text[end] != '<' && !IsSpace(text[end])) ++end;
  if (end >= text.size() || text[end] != '>') {
    problem = "'<' does not open a tag (no '>' before a space)";
    return 1;
  }
  const std::string_view word = text.substr(at, end - at + 1);
  std::string lower(word);
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  if (lower == "<br>" || lower == "<tab>") return word.size();

  const ui::MarkupToken token = ui::ParseMarkupWord(word);
  switch (token.tag) {
    case ui::MarkupTag::kText:
      problem = "unknown tag " + std::string(word);
      break;
    case ui::MarkupTag::kFontSize:
      if (token.value == 0) problem = "font size tag without a size: " + std::string(word);
      break;
    case ui::MarkupTag::kAddClip:
    case ui::MarkupTag::kAddJpeg:
      if (token.name.empty() || token.file.empty()) {
        problem = "picture tag needs a name and a file: " + std::string(word);
      } else {
        pictures.emplace(token.name);
      }
      break;
    case ui::MarkupTag::kPicture:
      if (pictures.find(token.name) == pictures.end())
        problem = "picture '" + std::string(token.name) + "' is placed before a tag adds it";
      break;
    default:
      break;
  }
  return word.size();
}

}  // namespace

std::vector<SourceProblem> CheckHelpSource(std::string_view utf8) {
  std::vector<SourceProblem> problems;
  std::set<std::string, std::less<>> pictures;
  int line = 1, column = 1;
  std::size_t tagEnd = 0;  // characters before this belong to a tag already checked
  for (std::size_t i = 0; i < utf8.size();) {
    std::string problem;
    if (utf8[i] == '<' && i >= tagEnd) tagEnd = i + CheckTag(utf8, i, pictures, problem);

    const std::size_t length = std::min(SequenceLength(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
    const std::string_view sequence = utf8.substr(i, length);
    if (problem.empty() && platform::Cp1251ToUtf8(platform::Utf8ToCp1251(sequence)) != sequence) {
      problem = Describe(sequence);
    }
    if (!problem.empty()) problems.push_back({line, column, problem});

    if (utf8[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
    i += length;
  }
  return problems;
}

}  // namespace tavlero::help
