// gen-endgames OUTPUT: writes the solved endings of kind 0 (two and three pieces,
// both sides present) as the game's endgame table.
#include <cstdio>

#include "engine/endgame_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gen-endgames OUTPUT\n");
    return 2;
  }
  const std::vector<tavlero::EndgameRecord> records = tavlero::BuildEndgameRecords();
  if (!tavlero::WriteEndgameFile(argv[1], records)) {
    std::fprintf(stderr, "gen-endgames: cannot write '%s'\n", argv[1]);
    return 1;
  }
  int won = 0, lost = 0, longest = 0;
  for (const auto& r : records) {
    const int outcome = tavlero::EndgameOutcome(r.score);
    won += outcome > 0;
    lost += outcome < 0;
    if (outcome != 0 && tavlero::EndgamePlies(r.score) > longest) longest = tavlero::EndgamePlies(r.score);
  }
  std::printf("gen-endgames: %zu positions, %d won, %d lost, %zu drawn, longest %d plies\n", records.size(),
              won, lost, records.size() - won - lost, longest);
  return 0;
}
