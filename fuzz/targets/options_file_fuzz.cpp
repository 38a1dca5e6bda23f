// The options file: the input is the plain text inside cfg/board.dat, sealed with the
// options key and read as the game reads it. Whatever was read must save and load back
// as the same options once the score table has been brought to its written form.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "store/game_options.h"
#include "store/sealed_file.h"

namespace {

using tavlero::GameOptions;
using tavlero::fuzz::Require;

bool SameOptions(const GameOptions& a, const GameOptions& b) {
  return a.autosave == b.autosave && a.sound == b.sound && a.soundVolume == b.soundVolume && a.music == b.music &&
         a.musicVolume == b.musicVolume && a.paused == b.paused && a.level == b.level &&
         a.gameSpeed == b.gameSpeed && a.score == b.score && a.gameKind == b.gameKind &&
         a.playerName == b.playerName && a.playerName1 == b.playerName1 && a.playerName2 == b.playerName2 &&
         a.newGameNeeded == b.newGameNeeded && a.windowMode == b.windowMode && a.twoPlayers == b.twoPlayers &&
         a.computerFirst == b.computerFirst && a.undoVisible == b.undoVisible &&
         a.scores.ToText() == b.scores.ToText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tavlero::fuzz::MemoryFile file(
      tavlero::SealBytes(tavlero::fuzz::AsText(data, size), tavlero::kOptionsKey));
  GameOptions loaded;
  tavlero::LoadGameOptions(file.Path(), loaded);
  Require(loaded.gameKind >= 0 && loaded.gameKind <= 8, "the game kind is out of range");
  Require(loaded.level >= 0 && loaded.level <= 2, "the level is out of range");

  // Saving brings the score table to its written form; from then on a save and a load
  // change nothing.
  const std::string scratch = tavlero::fuzz::ScratchFolder() + "/board.dat";
  Require(tavlero::SaveGameOptions(scratch, loaded), "the options could not be saved");
  GameOptions first;
  Require(tavlero::LoadGameOptions(scratch, first), "saved options do not load");
  Require(tavlero::SaveGameOptions(scratch, first), "the options could not be saved again");
  GameOptions second;
  Require(tavlero::LoadGameOptions(scratch, second), "saved options do not load again");
  Require(SameOptions(first, second), "options change from one save to the next");
  return 0;
}
