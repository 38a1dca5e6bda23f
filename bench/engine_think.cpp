// The computer's move at level 2 of every board kind, over a fixed set of positions
// per kind (reached by seeded level-0 self-play from the start), as the baseline for
// a faster search. Reports the median and the worst position as counters.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "platform/random.h"

namespace {

using namespace tavlero;

constexpr int kPositionsPerKind = 6;

struct BenchPosition {
  std::vector<int> cells;
  int player;
};

// Positions after 0, 4, 8, ... plies of seeded level-0 play.
std::vector<BenchPosition> PositionsFor(int kind) {
  std::vector<BenchPosition> positions;
  SeedRand(2024 + kind);
  auto engine = StartKindEngine(kind);
  // The stone game has no move on an empty board: a +1 stone in the centre, -1 to move.
  if (kind == 2) ApplyBoardOpening(2, *engine, /*computerFirst=*/true, /*twoPlayers=*/true);
  for (int ply = 0; positions.size() < kPositionsPerKind && ply < 400; ++ply) {
    if (CheckGameEnd(kind, *engine, false).over) break;
    if (ply % 4 == 0) positions.push_back({{engine->cells, engine->cells + kMaxCells}, engine->player});
    if (engine->Think(SearchDepth(kind, 0)) == -kWinScore && engine->successors.empty()) {
      engine->player = -engine->player;  // a disc-game pass
    }
  }
  return positions;
}

void BM_ThinkLevel2(benchmark::State& state) {
  const int kind = static_cast<int>(state.range(0));
  const std::vector<BenchPosition> positions = PositionsFor(kind);
  const int depth = SearchDepth(kind, 2);
  std::vector<double> seconds;
  for (auto _ : state) {
    for (const BenchPosition& p : positions) {
      auto engine = StartKindEngine(kind);
      if (kind == 0) static_cast<KindEngine0&>(*engine).LoadEndgameTable(std::string(TAVLERO_DATA_DIR) + "/cfg/endgames.dat");
      engine->CopyPosition(p.cells.data());
      engine->player = p.player;
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(engine->Think(depth));
      seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
  }
  std::sort(seconds.begin(), seconds.end());
  if (!seconds.empty()) {
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000.0;
    state.counters["worst_ms"] = seconds.back() * 1000.0;
  }
  state.counters["positions"] = static_cast<double>(positions.size());
}

BENCHMARK(BM_ThinkLevel2)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
