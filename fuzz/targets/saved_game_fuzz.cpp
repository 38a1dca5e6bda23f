// A saved game: the first byte picks the game kind (0 ... 8) and whether the latest
// position or the one before it (what undo shows) is taken; the rest is the plain text
// inside cfg/game%d.dat, sealed with the saved-game key and read as the game reads it.
// The position is loaded into the kind's engine. Board kinds: as tavlero-tool does (the
// stored sizes kept), the fast and the reference search must score the root moves
// alike; then as the game does (the kind's own sizes), the end of the game is tested
// and the computer plays one ply. The dice game: the human's moves are listed and one
// is made, then the computer plays the rest of the turn.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/dice_engine.h"
#include "engine/fast_search.h"
#include "engine/kind_engines.h"
#include "fuzz_support.h"
#include "game/dice_rules.h"
#include "game/game_end.h"
#include "game/game_history.h"
#include "platform/random.h"
#include "store/sealed_file.h"

namespace {

using namespace tavlero;
using fuzz::Require;

constexpr int kSearchPlies = 1;

void PlayBoardKind(GameHistory& history, int number, int kind) {
  // The tool's view: the position exactly as stored.
  std::unique_ptr<SearchEngine> reference = CreateKindEngine(kind);
  std::unique_ptr<SearchEngine> fast = CreateKindEngine(kind);
  history.Restore(number, *reference);
  history.Restore(number, *fast);
  fuzz::RequireSearchesAgree(*reference, *fast, kSearchPlies,
                             "the fast search scores the root moves otherwise than the reference");

  // The game's view: the kind's board, the end test, then the computer's move.
  std::unique_ptr<SearchEngine> engine = CreateKindEngine(kind);
  history.Restore(number, *engine);
  const std::unique_ptr<SearchEngine> start = StartKindEngine(kind);
  engine->boardSize = start->boardSize;
  engine->cellsInUse = start->cellsInUse;
  engine->totalCells = start->totalCells;
  if (CheckGameEnd(kind, *engine, false).over) return;
  engine->GenerateSuccessors();
  engine->ClearSuccessors();
  SeedRand(static_cast<std::uint32_t>(kind));
  FastThink(*engine, kSearchPlies);
}

void PlayDiceTurn(GameHistory& history, int number, std::size_t inputSize) {
  DiceEngine position;
  history.Restore(number, position);
  if (DiceWinner(position) != kDiceNoWinner) return;
  // A position saved between turns waits for a throw; one saved within a turn goes on
  // with the dice it has left.
  if (position.dice1 == 0 && position.dice2 == 0) {
    StartDiceTurn(position, DiceRoll{static_cast<int>(inputSize % 6) + 1, static_cast<int>(inputSize / 6 % 6) + 1});
  }
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    const std::vector<int> destinations = DiceDestinations(position, point);
    if (destinations.empty()) continue;
    Require(DiceStep(position, point, destinations.front()), "a listed destination is refused");
    break;
  }
  DiceTurnGoesOn(position);
  SeedRand(8);
  position.Think();
  DiceWinner(position);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Selector selector = fuzz::TakeSelector(fuzz::AsText(data, size));
  const int kind = static_cast<int>(selector.value % 9);
  const bool undone = selector.value / 9 % 2 == 1;
  const fuzz::MemoryFile file(SealBytes(selector.rest, kSavedGameKey));
  GameHistory history;
  history.Load(file.Path());
  // Positions are numbered from 1; "PosNum" may hold anything.
  const int number = undone && history.current > 1 ? history.current - 1 : history.current;
  if (number < 1 || !history.Has(number)) return 0;
  if (kind < kBoardKindCount) {
    PlayBoardKind(history, number, kind);
  } else {
    PlayDiceTurn(history, number, size);
  }
  return 0;
}
