// tavlero-tool selfplay KIND LEVEL SEED: the computer plays both sides of one game.
//
// Board kinds 0-7 print one line per move,
//   "move N side S score X C=V ..."  (the cells the move changed, cell = new code)
// or "move N side S pass" when a disc-game side cannot place and the turn passes,
// then "winner W" (0 none, 1 side +1, 2 side -1). The draughts kinds know no draw, so
// a game without an end after 500 moves stops with "no end after 500 moves".
// Kind 2 starts from a +1 stone on the centre point with -1 to move. Kind 8, the dice
// game, is played by the dice engine's own self-play.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "dice_selfplay.h"
#include "engine/kind_engines.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "platform/random.h"

namespace tavlero::tool {

namespace {

int RunSelfPlay(const std::vector<std::string>& args);

const ToolCommand kSelfPlay{"selfplay", "selfplay KIND LEVEL SEED",
                            "let the computer play both sides of one game", RunSelfPlay};
const ToolCommandRegistration kSelfPlayRegistration{kSelfPlay};

constexpr int kMoveLimit = 500;

int RunSelfPlay(const std::vector<std::string>& args) {
  if (args.size() != 3) return UsageError(kSelfPlay);
  long long kind = 0, level = 0, seed = 0;
  if (!ParseNumber(args[0], 0, 8, kind) || !ParseNumber(args[1], 0, 2, level) ||
      !ParseNumber(args[2], 0, 4294967295LL, seed))
    return UsageError(kSelfPlay);
  if (kind == 8) return DiceSelfPlay(args);

  std::unique_ptr<SearchEngine> engine = StartKindEngine(static_cast<int>(kind));
  if (!engine) {
    std::fprintf(stderr, "tavlero-tool: kind %lld has no search engine in this build\n", kind);
    return 1;
  }
  SeedRand(static_cast<std::uint32_t>(seed));
  // The stone game has no move on an empty board: its first stone goes in the centre.
  if (kind == 2) ApplyBoardOpening(2, *engine, /*computerFirst=*/true, /*twoPlayers=*/true);
  const int depth = SearchDepth(static_cast<int>(kind), static_cast<int>(level));
  for (int move = 1;; ++move) {
    const GameEnd end = CheckGameEnd(static_cast<int>(kind), *engine, false);
    if (end.over) {
      std::printf("winner %d\n", end.winner);
      return 0;
    }
    if (move > kMoveLimit) {
      std::printf("no end after %d moves\n", kMoveLimit);
      return 0;
    }
    const int side = engine->player;
    if (engine->GenerateSuccessors() == 0) {
      engine->ClearSuccessors();
      if (kind != 1) {
        // Only the disc game passes; elsewhere the end rules above have decided.
        std::printf("winner %d\n", kNoWinner);
        return 0;
      }
      engine->player = -engine->player;
      std::printf("move %d side %d pass\n", move, side);
      continue;
    }
    engine->ClearSuccessors();
    int before[kMaxCells];
    std::copy(std::begin(engine->cells), std::end(engine->cells), before);
    engine->depth = 0;
    const int score = engine->Think(depth);
    std::printf("move %d side %d score %d", move, side, score);
    for (int c = 0; c < kMaxCells; ++c)
      if (engine->cells[c] != before[c]) std::printf(" %d=%d", c, engine->cells[c]);
    std::printf("\n");
  }
}

}  // namespace

}  // namespace tavlero::tool
