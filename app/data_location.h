// Where the game's generated data (clp/, wav/, music/, cfg/help.dat, cfg/endgames.dat)
// is read from: an installed copy next to the program, or the build's data folder.
#pragma once

#include <string>

namespace tavlero {

// <folder of the executable>/../share/tavlero when that folder holds the pictures
// (clp/), so an installed game keeps working wherever its prefix is moved; otherwise
// builtInFolder, the data folder the build wrote. The executable is resolved through
// symbolic links first, so a link to the program elsewhere finds the same data.
std::string GameDataFolder(const std::string& builtInFolder, const std::string& executable = "/proc/self/exe");

}  // namespace tavlero
