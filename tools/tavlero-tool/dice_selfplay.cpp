// One whole dice game, the computer against itself, printed turn by turn.
#include "dice_selfplay.h"

#include "command.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/dice_engine.h"
#include "game/dice_rules.h"
#include "platform/random.h"

namespace tavlero::tool {

namespace {

// Far more turns than any game needs (a race of 15 checkers lasts about a hundred);
// only a game that stops making progress reaches it.
constexpr int kMaxTurns = 10000;

void PrintTurn(int turn, int side, const DiceRoll& roll, const DiceEngine& engine) {
  std::printf("turn %d side %d dice %d %d steps", turn, side, roll.dice1, roll.dice2);
  if (engine.fromPoints.empty()) std::printf(" -");
  for (std::size_t i = 0; i < engine.fromPoints.size(); ++i) {
    if (engine.toPoints[i] == engine.fromPoints[i]) {
      std::printf(" %d>off", engine.fromPoints[i]);
    } else {
      std::printf(" %d>%d", engine.fromPoints[i], engine.toPoints[i]);
    }
  }
  std::printf(" points");
  for (const int count : engine.points) std::printf(" %d", count);
  std::printf("\n");
}

}  // namespace

int DiceSelfPlay(const std::vector<std::string>& args) {
  long long kind = 0;
  long long level = 0;
  long long seed = 0;
  if (args.size() != 3 || !ParseNumber(args[0], 8, 8, kind) || !ParseNumber(args[1], 0, 2, level) ||
      !ParseNumber(args[2], 0, 4294967295LL, seed)) {
    std::fprintf(stderr, "usage: tavlero-tool selfplay 8 LEVEL SEED\n");
    return 2;
  }
  SeedRand(static_cast<std::uint32_t>(seed));

  DiceEngine engine;
  engine.SetStartPosition();
  int winner = kDiceNoWinner;
  for (int turn = 1; turn <= kMaxTurns && winner == kDiceNoWinner; ++turn) {
    const int side = engine.player;
    const DiceRoll roll = ThrowDice();
    StartDiceTurn(engine, roll);
    engine.Think();
    PrintTurn(turn, side, roll, engine);
    winner = DiceWinner(engine);
  }
  std::printf("winner %d\n", winner);
  return 0;
}

}  // namespace tavlero::tool
