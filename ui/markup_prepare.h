// The preparation pass of the text box: turns a markup text into paragraphs of
// space-separated words, so that every tag is a word of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavlero::ui {

// Appends " \n", turns "<br>" (any case) into a line feed, "<tab>" (any case) into a tab
// character, and puts spaces around tabs and tags. A carriage return counts as a space,
// so texts with Windows line ends lay out like texts without.
std::string PrepareMarkup(std::string_view text);

// Cuts a prepared text into paragraphs at each line feed (a paragraph is the text before
// its line feed; nothing after the last one counts) and each paragraph into its words.
// Consecutive spaces do not make empty words. The views point into `prepared`.
std::vector<std::vector<std::string_view>> SplitParagraphs(std::string_view prepared);

}  // namespace tavlero::ui
