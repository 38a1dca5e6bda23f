// What one autosave costs: the running game's history (a kind-0 game of 80 stored
// positions, about the longest a game gets) rendered, sealed and written with its
// fsyncs and rename, as the game does each time a position is stored.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/kind_engines.h"
#include "game/game_history.h"
#include "platform/random.h"

namespace {

using namespace tavlero;

GameHistory PlayedHistory(int positions) {
  GameHistory history;
  history.Clear();
  SeedRand(5);
  auto engine = StartKindEngine(0);
  for (int number = 1; number <= positions; ++number) {
    if (engine->GenerateSuccessors() == 0) engine = StartKindEngine(0);
    engine->ClearSuccessors();
    engine->Think(SearchDepth(0, 0));
    history.Store(number, *engine);
  }
  history.current = history.latest = positions;
  return history;
}

void BM_SaveGame(benchmark::State& state) {
  GameHistory history = PlayedHistory(static_cast<int>(state.range(0)));
  char folder[] = "/tmp/tavlero-save-XXXXXX";
  if (!mkdtemp(folder)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string path = std::string(folder) + "/game0.dat";
  for (auto _ : state) {
    if (!history.Save(path)) state.SkipWithError("save failed");
  }
  std::remove(path.c_str());
  rmdir(folder);
  state.counters["positions"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_SaveGame)->Arg(10)->Arg(80)->Unit(benchmark::kMillisecond);

}  // namespace
