// The game's texts are CP1251 (Russian Windows code page). Conversion happens only at
// the edges: text drawing, the clipboard, tools that read or write UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tavlero::platform {

std::string Cp1251ToUtf8(std::string_view text);
// Characters CP1251 cannot hold become '?'. Invalid UTF-8 bytes are taken as CP1251 bytes.
std::string Utf8ToCp1251(std::string_view text);
// True when the bytes form valid UTF-8 that uses at least one multi-byte sequence.
bool LooksLikeUtf8(std::string_view text);

}  // namespace tavlero::platform
