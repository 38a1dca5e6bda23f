// The fast search against the engine-per-node search it replaces: on random
// positions of every stage and on the endings, both give the same root scores, the
// same ties, and Think and FastThink leave the same position; perft counts agree.
//
// The number of positions is scaled to the build: all of them in an optimised build,
// a tenth in a debug build and a twenty-fifth under the sanitizers, which also
// leave out the deepest level's searches (the sanitizers look for memory faults,
// which the shallower searches reach as well). The environment variable
// TAVLERO_DIFFERENTIAL_SCALE (a percentage) overrides the share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/draughts_rules.h"
#include "engine/fast_search.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "platform/random.h"

namespace tavlero {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

int ScalePercent() {
  if (const char* text = std::getenv("TAVLERO_DIFFERENTIAL_SCALE")) return std::max(1, std::atoi(text));
#if defined(__SANITIZE_ADDRESS__)
  return 4;
#elif defined(NDEBUG)
  return 100;
#else
  return 10;
#endif
}

int Scaled(int count) { return std::max(1, count * ScalePercent() / 100); }

struct Sample {
  std::vector<int> cells;
  int player;
};

std::shared_ptr<EndgameTable> SharedEndgames() {
  static const std::shared_ptr<EndgameTable> table = [] {
    auto t = std::make_shared<EndgameTable>();
    t->Load(std::string(TAVLERO_DATA_DIR) + "/cfg/endgames.dat");
    return t;
  }();
  return table;
}

std::unique_ptr<SearchEngine> EngineAt(int kind, const Sample& s) {
  std::unique_ptr<SearchEngine> e = StartKindEngine(kind);
  if (kind == 0) static_cast<KindEngine0&>(*e).ShareEndgameTable(SharedEndgames());
  e->CopyPosition(s.cells.data());
  e->player = s.player;
  e->depth = 0;
  return e;
}

// Games from the start (kind 2 from a centre stone) in which each side plays a
// level-0 move, or now and then a random one; every position before a move is kept.
// A disc-game side without a placement passes.
std::vector<Sample> RandomGames(int kind, int wanted, std::uint32_t seed) {
  SeedRand(seed);
  std::vector<Sample> samples;
  while (static_cast<int>(samples.size()) < wanted) {
    std::unique_ptr<SearchEngine> e = StartKindEngine(kind);
    if (kind == 2) e->cells[7 * 14 + 7] = 1, e->player = -1;
    for (int ply = 0; ply < 300 && static_cast<int>(samples.size()) < wanted; ++ply) {
      samples.push_back({{e->cells, e->cells + kMaxCells}, e->player});
      bool decided = false;
      e->depth = 0;
      e->evalState = 0;
      e->Evaluate(decided);
      if (decided) break;
      int count = e->GenerateSuccessors();
      if (count == 0 && kind == 1) {
        e->player = -e->player;
        count = e->GenerateSuccessors();
      }
      if (count == 0) break;
      if (RandomBelow(3) == 0) {
        SearchEngine& chosen = *e->successors[RandomBelow(count)];
        std::copy(chosen.cells, chosen.cells + kMaxCells, e->cells);
        e->ClearSuccessors();
        e->player = -e->player;
      } else {
        FastThink(*e, SearchDepth(kind, 0));
      }
    }
  }
  return samples;
}

// Sparse draughts positions: a few men and kings anywhere (walled-in sides, single
// moves, long king captures, the endgame table's positions of kind 0).
std::vector<Sample> SparseDraughts(int kind, int wanted, std::uint32_t seed) {
  SeedRand(seed);
  const int cells = kind == 7 ? kFullCellCount : kDarkCellCount;
  std::vector<Sample> samples;
  for (int i = 0; i < wanted; ++i) {
    Sample s{std::vector<int>(kMaxCells, 0), RandomBelow(2) ? 1 : -1};
    const int pieces = 2 + RandomBelow(i % 3 == 0 ? 2 : 8);
    for (int p = 0; p < pieces; ++p) s.cells[RandomBelow(cells)] = (p % 2 ? 1 : -1) * (RandomBelow(3) ? 1 : 2);
    samples.push_back(s);
  }
  return samples;
}

// Crowded disc boards, where one side or both often have no placement.
std::vector<Sample> CrowdedDiscs(int wanted, std::uint32_t seed) {
  SeedRand(seed);
  std::vector<Sample> samples;
  for (int i = 0; i < wanted; ++i) {
    Sample s{std::vector<int>(kMaxCells, 0), RandomBelow(2) ? 1 : -1};
    const int empty = 1 + RandomBelow(10);
    for (int c = 0; c < 64; ++c) s.cells[c] = RandomBelow(64) < empty ? 0 : (RandomBelow(3) ? 1 : -1);
    samples.push_back(s);
  }
  return samples;
}

// Five-in-a-row positions one move from five: a line of four of one colour, open at
// least at one end, added to a random game position.
std::vector<Sample> OneFromFive(int wanted, std::uint32_t seed) {
  std::vector<Sample> samples = RandomGames(2, wanted, seed);
  for (Sample& s : samples) {
    const int colour = RandomBelow(2) ? 1 : -1;
    const int dx = RandomBelow(2), dy = dx == 0 ? 1 : RandomBelow(3) - 1;
    const int x = 2 + RandomBelow(6), y = 3 + RandomBelow(6);  // the line and its ends stay on the board
    for (int i = 0; i < 4; ++i) s.cells[(y + dy * i) * 14 + x + dx * i] = colour;
    s.cells[(y - dy) * 14 + x - dx] = 0;
  }
  return samples;
}

// The reference's root scores and ties, and what Think would leave; then the same
// from the fast search.
void ExpectSameChoice(int kind, const Sample& s, int depth) {
  std::unique_ptr<SearchEngine> ref = EngineAt(kind, s);
  std::vector<int> scores, ties;
  const int count = ref->ScoreRootMoves(depth, scores, ties);

  std::unique_ptr<SearchEngine> fast = EngineAt(kind, s);
  std::vector<int> fastScores, fastTies;
  ASSERT_EQ(FastScoreRootMoves(*fast, depth, fastScores, fastTies), count);
  ASSERT_EQ(fastScores, scores) << "kind " << kind << " depth " << depth;
  ASSERT_EQ(fastTies, ties) << "kind " << kind << " depth " << depth;

  // Think copies the chosen successor as the search left it: a searched successor has
  // cleared its capture marks.
  SeedRand(static_cast<std::uint32_t>(count * 7919 + depth));
  const int r = count > 1 ? Rand() : 0;
  const int next = Rand();
  fast = EngineAt(kind, s);
  fast->path = {99};
  SeedRand(static_cast<std::uint32_t>(count * 7919 + depth));
  const int score = FastThink(*fast, depth);
  ASSERT_EQ(Rand(), next) << "a random number is drawn only among several moves";
  ASSERT_FALSE(LastFastSearchReport().usedReference);
  if (count == 0) {
    EXPECT_EQ(score, -kWinScore);
    EXPECT_EQ(fast->player, s.player);
    EXPECT_EQ(fast->path, std::vector<int>{99});
  } else {
    const int chosen = count == 1 ? 0 : ties[PickBelow(r, static_cast<int>(ties.size()))];
    const SearchEngine& successor = *ref->successors[chosen];
    EXPECT_EQ(score, scores[chosen]);
    EXPECT_EQ(std::vector<int>(fast->cells, fast->cells + kMaxCells),
              std::vector<int>(successor.cells, successor.cells + kMaxCells));
    EXPECT_EQ(fast->path, successor.path);
    EXPECT_EQ(fast->player, -s.player);
  }
  EXPECT_TRUE(fast->successors.empty());
  ref->ClearSuccessors();
}

// Compares the searches on the samples at each depth, the i-th depth on every
// step[i]-th sample.
using DepthSteps = std::vector<std::pair<int, int>>;

// The depths and steps, without the last (deepest) under the sanitizers.
DepthSteps WithoutDeepestWhenSanitized(DepthSteps steps) {
  if (kSanitized && steps.size() > 1) steps.pop_back();
  return steps;
}

void CompareOn(int kind, const std::vector<Sample>& samples, const DepthSteps& depthsAndSteps) {
  for (const auto& [depth, step] : depthsAndSteps) {
    for (std::size_t i = 0; i < samples.size(); i += step) {
      ExpectSameChoice(kind, samples[i], depth);
      if (::testing::Test::HasFatalFailure()) {
        ADD_FAILURE() << "sample " << i << " of kind " << kind << " at depth " << depth;
        return;
      }
    }
  }
}

TEST(FastSearch, DiagonalDraughtsKindsChooseAsTheReference) {
  for (int kind : {0, 3, 5, 6}) {
    const std::vector<Sample> games = RandomGames(kind, Scaled(1000), 100 + kind);
    CompareOn(kind, games, WithoutDeepestWhenSanitized({{4, 1}, {6, 4}, {8, 25}}));
    const std::vector<Sample> endings = SparseDraughts(kind, Scaled(1000), 200 + kind);
    CompareOn(kind, endings, WithoutDeepestWhenSanitized({{4, 1}, {6, 2}, {8, 8}}));
  }
}

TEST(FastSearch, OrthogonalDraughtsChoosesAsTheReference) {
  const std::vector<Sample> games = RandomGames(7, Scaled(1500), 107);
  CompareOn(7, games, WithoutDeepestWhenSanitized({{2, 1}, {4, 3}}));
  const std::vector<Sample> endings = SparseDraughts(7, Scaled(1000), 207);
  CompareOn(7, endings, {{2, 1}, {4, 2}});
}

TEST(FastSearch, DiscGameChoosesAsTheReference) {
  const std::vector<Sample> games = RandomGames(1, Scaled(1500), 101);
  CompareOn(1, games, WithoutDeepestWhenSanitized({{2, 1}, {4, 3}, {6, 40}}));
  const std::vector<Sample> crowded = CrowdedDiscs(Scaled(600), 301);
  CompareOn(1, crowded, WithoutDeepestWhenSanitized({{2, 1}, {4, 1}, {6, 4}}));
}

TEST(FastSearch, FiveInARowChoosesAsTheReference) {
  CompareOn(2, RandomGames(2, Scaled(800), 102), {{2, 1}});
  CompareOn(2, OneFromFive(Scaled(300), 302), {{2, 1}});
}

TEST(FastSearch, ConnectionGameChoosesAsTheReference) {
  CompareOn(4, RandomGames(4, Scaled(1500), 104), WithoutDeepestWhenSanitized({{1, 1}, {2, 100}}));
}

TEST(FastSearch, PerftCountsAgreeWithTheEngineNodes) {
  for (int kind = 0; kind < kBoardKindCount; ++kind) {
    const bool placement = kind == 1 || kind == 2 || kind == 4;
    const std::vector<Sample> samples =
        placement ? RandomGames(kind, Scaled(200), 400 + kind) : SparseDraughts(kind, Scaled(200), 400 + kind);
    const int plies = kind == 2 || kind == 4 ? 2 : 3;
    for (const Sample& s : samples) {
      std::unique_ptr<SearchEngine> ref = EngineAt(kind, s);
      std::unique_ptr<SearchEngine> fast = EngineAt(kind, s);
      ASSERT_EQ(FastPerft(*fast, plies), Perft(*ref, plies)) << "kind " << kind;
    }
  }
}

TEST(FastSearch, PositionsWithCodesNoPieceOfTheKindHasGoToTheReference) {
  // Stored states can hold any code from -3 to 3: a mark in a kind without flying
  // kings moves like a short king there, and a disc board may hold a 2.
  for (const auto& [kind, cell, code] : {std::tuple{0, 5, 3}, std::tuple{5, 9, -3}, std::tuple{1, 27, 2}}) {
    Sample odd = RandomGames(kind, 9, 500 + kind).back();
    odd.cells[cell] = code;
    std::unique_ptr<SearchEngine> ref = EngineAt(kind, odd), fast = EngineAt(kind, odd);
    SeedRand(5);
    const int expected = ref->Think(4);
    SeedRand(5);
    EXPECT_EQ(FastThink(*fast, 4), expected);
    EXPECT_TRUE(LastFastSearchReport().usedReference);
    EXPECT_EQ(std::vector<int>(fast->cells, fast->cells + kMaxCells),
              std::vector<int>(ref->cells, ref->cells + kMaxCells));
  }
}

}  // namespace
}  // namespace tavlero
