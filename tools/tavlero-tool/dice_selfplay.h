// Self-play of the dice game (kind 8): the computer plays both sides of one whole
// game. Called by "tavlero-tool selfplay 8 LEVEL SEED".
#pragma once

#include <string>
#include <vector>

namespace tavlero::tool {

// args = {"8", LEVEL, SEED}. Seeds the shared random generator with SEED, plays one
// game computer against computer and prints every turn on standard output:
//   "turn N side S dice D1 D2 steps FROM>TO ... points P0 ... P23"
// (a borne-off checker shows as FROM>off, a turn without a step as "steps -"), then
// "winner W" (1: side +1, 2: side -1; 0 only if the game were cut off after 10000
// turns). Both sides throw two ordinary dice; side +1 moves first.
// LEVEL is accepted for the common command line; the dice engine has one strength.
// Returns 0, or 2 with a message on standard error for bad arguments.
int DiceSelfPlay(const std::vector<std::string>& args);

}  // namespace tavlero::tool
