// gen-music FOLDER: arranges every piece of the game's music and writes it as
// FOLDER/NAME.mid, printing each one's planned length.
#include <cstdio>
#include <string>

#include "arrangement.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gen-music FOLDER\n");
    return 2;
  }
  for (const tavlero::music::Piece& piece : tavlero::music::GamePieces()) {
    tavlero::MidiFile midi;
    std::string error;
    if (!tavlero::music::Arrange(piece, midi, error)) {
      std::fprintf(stderr, "gen-music: %s\n", error.c_str());
      return 1;
    }
    const std::string path = std::string(argv[1]) + "/" + piece.fileName + ".mid";
    if (!midi.Write(path)) {
      std::fprintf(stderr, "gen-music: cannot write %s\n", path.c_str());
      return 1;
    }
    std::printf("%-20s %-40s %5.1f s\n", (piece.fileName + ".mid").c_str(), piece.title.c_str(),
                tavlero::music::ArrangedSeconds(piece));
  }
  return 0;
}
