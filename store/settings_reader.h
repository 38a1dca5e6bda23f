// The reader of settings text: named groups "name = {" ... "}", leaves
// "name=value", "//" comments, and plain, quoted, bracketed and grid values.
#pragma once

#include <string_view>

namespace tavlero {

class OSettingsTree;

// Stores every entry of `input` into `tree` (keys are the open groups' names joined
// by "." with the leaf name). Returns false on a syntax error: a "}" with no group
// open, a name without "=", a value cut off by the end of the input. Entries read
// before the error stay. Groups still open at the end are closed silently.
bool ReadSettingsText(std::string_view input, OSettingsTree& tree);

}  // namespace tavlero
