#include "store/settings_reader.h"

#include <string>

#include "store/settings_tree.h"

namespace tavlero {
namespace {

constexpr bool IsSpace(char c) { return c == '\t' || c == ' ' || c == '\n' || c == '\r' || c == '\0'; }

class SettingsReader {
 public:
  SettingsReader(std::string_view input, OSettingsTree& tree) : in_(input), tree_(tree) {}

  bool Run() {
    for (;;) {
      if (pos_ >= in_.size()) return true;

      SkipSpaceAndComments();
      const std::size_t name_start = pos_;
      while (pos_ < in_.size() && !IsSpace(in_[pos_]) && in_[pos_] != '=') {
        ++pos_;
        if (pos_ - name_start == 1 && in_[name_start] == '}') break;
      }
      const std::string_view name = in_.substr(name_start, pos_ - name_start);
      // Nothing but whitespace and comments left: done. An empty name stands before
      // "=" when a key has an empty component; it is read like any other name so
      // that such keys, and everything after them, read back.
      if (name.empty() && pos_ >= in_.size()) return true;

      if (name == "}") {
        if (!CloseGroup()) return false;
        continue;
      }
      // A name that runs into the end of the input has no "=": the text was cut off.
      if (pos_ >= in_.size()) return false;

      SkipSpaceAndComments();
      if (pos_ >= in_.size() || in_[pos_] != '=') return false;
      ++pos_;
      SkipSpaceAndComments();
      if (pos_ >= in_.size()) return false;

      if (in_[pos_] == '{') {
        std::size_t look = pos_ + 1;
        SkipSpaceAndComments(look);
        if (look < in_.size() && in_[look] == '[') {
          pos_ = look;
          if (!ReadGrid(name)) return false;
          continue;
        }
        pos_ += 1;
        if (pos_ >= in_.size()) return false;
        prefix_.append(name);
        prefix_.push_back('.');
        continue;
      }
      ReadPlain(name);
    }
  }

 private:
  void SkipSpaceAndComments() { SkipSpaceAndComments(pos_); }

  // A comment runs to the end of its line; with no line feed it ends the input.
  void SkipSpaceAndComments(std::size_t& pos) const {
    while (pos < in_.size()) {
      if (IsSpace(in_[pos])) {
        ++pos;
      } else if (in_[pos] == '/' && pos + 1 < in_.size() && in_[pos + 1] == '/') {
        const std::size_t line_end = in_.find('\n', pos + 2);
        pos = line_end == std::string_view::npos ? in_.size() : line_end;
      } else {
        break;
      }
    }
  }

  bool CloseGroup() {
    if (prefix_.empty()) return false;
    prefix_.pop_back();  // the group's trailing "."
    const std::size_t dot = prefix_.find_last_of('.');
    prefix_.resize(dot == std::string::npos ? 0 : dot + 1);
    return true;
  }

  void Store(std::string_view name, std::string_view value) {
    std::string key = prefix_;
    key.append(name);
    tree_.SetRaw(key, value);
  }

  // "[...]", a quoted string up to its first unescaped quote, or a bare token that
  // ends before whitespace or "}". A bracketed or quoted value cut off by the end
  // of the input still gets its closing character.
  void ReadPlain(std::string_view name) {
    const std::size_t start = pos_;
    const char first = in_[start];
    if (first == '[') {
      const std::size_t close = in_.find(']', start + 1);
      if (close == std::string_view::npos) {
        pos_ = in_.size();
        Store(name, std::string(in_.substr(start)) + ']');
      } else {
        pos_ = close + 1;
        Store(name, in_.substr(start, pos_ - start));
      }
      return;
    }
    if (first == '"') {
      std::size_t backslashes = 0;
      for (std::size_t i = start + 1; i < in_.size(); ++i) {
        const char c = in_[i];
        if (c == '"' && backslashes % 2 == 0) {
          pos_ = i + 1;
          Store(name, in_.substr(start, pos_ - start));
          return;
        }
        backslashes = c == '\\' ? backslashes + 1 : 0;
      }
      pos_ = in_.size();
      Store(name, std::string(in_.substr(start)) + '"');
      return;
    }
    while (pos_ < in_.size() && !IsSpace(in_[pos_]) && in_[pos_] != '}') ++pos_;
    Store(name, in_.substr(start, pos_ - start));
  }

  // From its first "[" to the "}" that ends it: the bracketed rows are kept in
  // order and everything between them is dropped, so { [ab] , [cd] } reads as
  // {[ab][cd]}. A grid that reaches the end of the input is an error and is not
  // stored, even when its "}" is the last character.
  bool ReadGrid(std::string_view name) {
    std::string value = "{";
    while (pos_ < in_.size()) {
      const char c = in_[pos_];
      if (c == '[') {
        const std::size_t close = in_.find(']', pos_ + 1);
        if (close == std::string_view::npos) return false;
        value.append(in_.substr(pos_, close + 1 - pos_));
        pos_ = close + 1;
      } else if (c == '}') {
        ++pos_;
        if (pos_ >= in_.size()) return false;
        value.push_back('}');
        Store(name, value);
        return true;
      } else if (c == '/' && pos_ + 1 < in_.size() && in_[pos_ + 1] == '/') {
        const std::size_t line_end = in_.find('\n', pos_ + 2);
        if (line_end == std::string_view::npos) return false;
        pos_ = line_end;
      } else {
        ++pos_;
      }
    }
    return false;
  }

  std::string_view in_;
  OSettingsTree& tree_;
  std::size_t pos_ = 0;
  std::string prefix_;  // the open groups' names, each followed by "."
};

}  // namespace

bool ReadSettingsText(std::string_view input, OSettingsTree& tree) { return SettingsReader(input, tree).Run(); }

}  // namespace tavlero
