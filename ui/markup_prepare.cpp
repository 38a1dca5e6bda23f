#include "ui/markup_prepare.h"

namespace tavlero::ui {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool MatchesNoCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(text[at + i]) != word[i]) return false;
  return true;
}

}  // namespace

std::string PrepareMarkup(std::string_view text) {
  std::string source(text);
  source += " \n";
  std::string out;
  out.reserve(source.size() + source.size() / 4 + 8);
  for (size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (c == '\t') {
      out += " \t ";
    } else if (c == '\r') {
      out += ' ';
    } else if (c == '<' && MatchesNoCase(source, i, "<br>")) {
      out += " \n";
      i += 3;
    } else if (c == '<' && MatchesNoCase(source, i, "<tab>")) {
      out += " \t ";
      i += 4;
    } else if (c == '<') {
      out += " <";
    } else if (c == '>') {
      out += "> ";
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::vector<std::string_view>> SplitParagraphs(std::string_view prepared) {
  std::vector<std::vector<std::string_view>> paragraphs;
  size_t start = 0;
  while (true) {
    const size_t end = prepared.find('\n', start);
    if (end == std::string_view::npos) break;
    std::vector<std::string_view>& words = paragraphs.emplace_back();
    size_t pos = start;
    while (pos < end) {
      size_t stop = prepared.find(' ', pos);
      if (stop == std::string_view::npos || stop > end) stop = end;
      if (stop > pos) words.push_back(prepared.substr(pos, stop - pos));
      pos = stop + 1;
    }
    start = end + 1;
  }
  return paragraphs;
}

}  // namespace tavlero::ui
