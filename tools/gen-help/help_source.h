// The help document's source: UTF-8 text in the text box's markup. Before it is sealed
// into the game's help file it is checked, so that a slip in the text is caught by the
// build instead of showing up as a '?' or as a stray tag on a help page:
// - every character must be valid UTF-8 and have a place in CP1251 (the game's texts
//   are CP1251; a typographic character outside it would become '?');
// - every '<' must open a tag the text box knows, closed by '>' before any space;
// - a picture may be placed only after a tag has added it under its name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlero::help {

// One problem, located as LINE:COLUMN (both from 1, columns counted in characters).
struct SourceProblem {
  int line = 0;
  int column = 0;
  std::string message;
};

std::vector<SourceProblem> CheckHelpSource(std::string_view utf8);

}  // namespace tavlero::help
