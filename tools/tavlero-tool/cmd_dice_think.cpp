// tavlero-tool dice-think STATEFILE PREFIX: the dice engine's view of one turn.
//
// Reads the dice game's state (PREFIX.Position, .Player, .dice1, .dice2,
// .double_counter) from a plain settings text, starts the turn with the head still
// open, enumerates the final positions exactly as the computer does and prints one
// line per position, "I SCORE P0 P1 ... P23" (index, score from the mover's view,
// the 24 points), then "ties: I J ..." with the positions the computer picks among.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "engine/dice_engine.h"
#include "store/settings_tree.h"

namespace tavlero::tool {

namespace {

int RunDiceThink(const std::vector<std::string>& args);

const ToolCommand kDiceThink{"dice-think", "dice-think STATEFILE PREFIX",
                             "list the dice engine's final positions and scores for a state", RunDiceThink};
const ToolCommandRegistration kDiceThinkRegistration{kDiceThink};

int RunDiceThink(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(kDiceThink);
  OSettingsTree tree;
  if (!tree.LoadFile(args[0])) {
    std::fprintf(stderr, "tavlero-tool: cannot read settings text '%s'\n", args[0].c_str());
    return 1;
  }
  DiceEngine engine;
  engine.LoadState(tree, args[1]);
  engine.headAllowed = 1;
  engine.ClearStepRecords();
  engine.GenerateSuccessors();

  std::vector<int> scores;
  std::vector<int> ties;
  engine.ScoreSuccessors(scores, ties);
  for (std::size_t i = 0; i < engine.successors.size(); ++i) {
    std::printf("%zu %d", i, scores[i]);
    for (const int count : engine.successors[i]->points) std::printf(" %d", count);
    std::printf("\n");
  }
  std::printf("ties:");
  for (const int index : ties) std::printf(" %d", index);
  std::printf("\n");
  return 0;
}

}  // namespace

}  // namespace tavlero::tool
