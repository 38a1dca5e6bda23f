// The folder the game runs in. The player's options and saved games (cfg/board.dat,
// cfg/game%d.dat) live there; the generated data (clp/, wav/, music/, cfg/help.dat,
// cfg/endgames.dat) stays in the build's data folder and is linked in, so that
// rebuilding or deleting the build never touches what the player keeps.
#pragma once

#include <string>

namespace tavlero {

// $XDG_DATA_HOME/tavlero, or ~/.local/share/tavlero when XDG_DATA_HOME is unset or
// not absolute; empty when neither can be found.
std::string DefaultWorkingFolder();

// Creates folder and folder/cfg when missing and links every data entry of dataFolder
// into it (a link already there is renewed; a real file or folder the player put there
// is left alone). False with a reason when the folder cannot be made.
bool PrepareWorkingFolder(const std::string& folder, const std::string& dataFolder, std::string& error);

}  // namespace tavlero
