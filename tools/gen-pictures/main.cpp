// gen-pictures OUTPUT_DIR [FILE...]: draws the game's picture containers into
// OUTPUT_DIR (every file, or only the named ones). `gen-pictures --list` names them.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "pictures.h"
#include "platform/random.h"

int main(int argc, char** argv) {
  using namespace gen_pictures;
  if (argc < 2) {
    std::fprintf(stderr, "usage: gen-pictures OUTPUT_DIR [FILE...] | --list\n");
    return 2;
  }
  const auto catalogue = Catalogue();
  if (std::strcmp(argv[1], "--list") == 0) {
    for (const auto& file : catalogue) std::printf("%s\n", file.name.c_str());
    return 0;
  }
  const std::string folder = argv[1];
  std::set<std::string> only(argv + 2, argv + argc);
  int written = 0;
  for (const auto& file : catalogue) {
    if (!only.empty() && !only.count(file.name)) continue;
    // Each file starts the shared generator afresh, so a file comes out the same
    // whether it is drawn alone or with the others.
    tavlero::SeedRand(0x7A57u);
    std::string error;
    if (!tavlero::WritePictureContainer(file.build(), folder + "/" + file.name, error)) {
      std::fprintf(stderr, "gen-pictures: %s: %s\n", file.name.c_str(), error.c_str());
      return 1;
    }
    ++written;
  }
  std::printf("gen-pictures: %d picture files written to %s\n", written, folder.c_str());
  return 0;
}
