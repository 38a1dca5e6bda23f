// Pictures a screen cannot do without. When one cannot be read the program tells the
// player which file is missing and ends with exit code 255.
#pragma once

#include <string>

namespace tavlero {

class OSprite;

// Ends the program: a message box "Error: file PATH not found!" with an empty caption,
// the same line on standard error, exit code 255.
[[noreturn]] void FailMissingFile(const std::string& path);
// The same with a message of the caller's own (CP1251).
[[noreturn]] void FailWithMessage(const std::string& text);

// Loads a picture container into the sprite, or ends the program as above.
void LoadRequiredPicture(OSprite& sprite, const std::string& path);

}  // namespace tavlero
