// The fast search against the engine-per-node search, in one process, on a fixed
// suite of positions per board kind (seeded self-play at every stage of the game):
// per kind and level the median and worst time of the computer's reply for both,
// the speed ratio (total reference time over total fast time), and a check that both
// made the same move. Ends with the geometric mean of the level-2 ratios over kinds
// 0, 1, 3, 5, 6 and 7.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/fast_search.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "platform/random.h"

namespace {

using namespace tavlero;

constexpr int kPositionsPerKind = 24;

struct BenchPosition {
  std::vector<int> cells;
  int player;
};

std::shared_ptr<EndgameTable> Endgames() {
  static const std::shared_ptr<EndgameTable> table = [] {
    auto t = std::make_shared<EndgameTable>();
    t->Load(std::string(TAVLERO_DATA_DIR) + "/cfg/endgames.dat");
    return t;
  }();
  return table;
}

std::unique_ptr<SearchEngine> EngineAt(int kind, const BenchPosition& p) {
  auto engine = StartKindEngine(kind);
  if (kind == 0) static_cast<KindEngine0&>(*engine).ShareEndgameTable(Endgames());
  engine->CopyPosition(p.cells.data());
  engine->player = p.player;
  engine->depth = 0;
  return engine;
}

// Positions every third ply of games in which each side plays a level-0 move, or
// now and then a random one so that the games differ.
std::vector<BenchPosition> Suite(int kind) {
  std::vector<BenchPosition> positions;
  for (std::uint32_t game = 0; positions.size() < kPositionsPerKind && game < 20; ++game) {
    SeedRand(1000 * kind + game);
    auto engine = StartKindEngine(kind);
    if (kind == 2) ApplyBoardOpening(2, *engine, /*computerFirst=*/true, /*twoPlayers=*/true);
    for (int ply = 0; positions.size() < kPositionsPerKind && ply < 200; ++ply) {
      if (CheckGameEnd(kind, *engine, false).over) break;
      if (ply % 3 == static_cast<int>(game % 3))
        positions.push_back({{engine->cells, engine->cells + kMaxCells}, engine->player});
      engine->depth = 0;
      if (RandomBelow(4) == 0) {
        const int count = engine->GenerateSuccessors();
        if (count > 0) {
          SearchEngine& next = *engine->successors[RandomBelow(count)];
          std::copy(next.cells, next.cells + kMaxCells, engine->cells);
        }
        engine->ClearSuccessors();
        engine->player = -engine->player;
      } else if (FastThink(*engine, SearchDepth(kind, 0)) == -kWinScore && engine->successors.empty()) {
        engine->player = -engine->player;  // a disc-game pass
      }
    }
  }
  return positions;
}

struct Times {
  std::vector<double> ms;
  double Median() const { return ms.empty() ? 0 : ms[ms.size() / 2]; }
  double Worst() const { return ms.empty() ? 0 : ms.back(); }
  double Total() const {
    double t = 0;
    for (double v : ms) t += v;
    return t;
  }
};

template <class Think>
double TimeReply(SearchEngine& engine, int depth, Think&& think, int& score) {
  SeedRand(77);
  const auto start = std::chrono::steady_clock::now();
  score = think(engine, depth);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void BM_FastVersusReference(benchmark::State& state) {
  for (auto _ : state) {
    // The first search allocates the fast search's tables; keep it out of the times.
    auto warm = StartKindEngine(0);
    FastThink(*warm, 4);

    std::printf("%-4s %-5s %-5s %-9s | %-20s | %-20s | %-7s %s\n", "kind", "level", "depth", "positions",
                "reference med/worst", "fast med/worst (ms)", "ratio", "same moves");
    double logSum = 0;
    int logCount = 0;
    for (int kind = 0; kind < kBoardKindCount; ++kind) {
      const std::vector<BenchPosition> suite = Suite(kind);
      for (int level = 0; level < 3; ++level) {
        const int depth = SearchDepth(kind, level);
        Times reference, fast;
        int same = 0;
        for (const BenchPosition& p : suite) {
          auto byReference = EngineAt(kind, p);
          auto byFast = EngineAt(kind, p);
          int scoreReference = 0, scoreFast = 0;
          reference.ms.push_back(TimeReply(*byReference, depth, [](SearchEngine& e, int d) { return e.Think(d); },
                                           scoreReference));
          fast.ms.push_back(
              TimeReply(*byFast, depth, [](SearchEngine& e, int d) { return FastThink(e, d); }, scoreFast));
          same += scoreReference == scoreFast && byReference->player == byFast->player &&
                  byReference->path == byFast->path &&
                  std::equal(byReference->cells, byReference->cells + kMaxCells, byFast->cells);
        }
        std::sort(reference.ms.begin(), reference.ms.end());
        std::sort(fast.ms.begin(), fast.ms.end());
        const double ratio = fast.Total() > 0 ? reference.Total() / fast.Total() : 0;
        std::printf("%-4d %-5d %-5d %-9zu | %8.2f / %8.2f   | %8.3f / %8.3f   | %7.1f %d/%zu\n", kind, level, depth,
                    suite.size(), reference.Median(), reference.Worst(), fast.Median(), fast.Worst(), ratio, same,
                    suite.size());
        if (level == 2 && kind != 2 && kind != 4 && ratio > 0) {
          logSum += std::log(ratio);
          ++logCount;
        }
        char name[32];
        std::snprintf(name, sizeof name, "k%dL%d_fast_median_ms", kind, level);
        state.counters[name] = fast.Median();
      }
    }
    const double geometricMean = logCount > 0 ? std::exp(logSum / logCount) : 0;
    std::printf("level 2, kinds 0 1 3 5 6 7: geometric mean of the ratios %.1f\n", geometricMean);
    std::fflush(stdout);
    state.counters["level2_geomean_ratio"] = geometricMean;
  }
}

BENCHMARK(BM_FastVersusReference)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
