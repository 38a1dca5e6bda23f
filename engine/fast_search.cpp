#include "engine/fast_search.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "engine/alpha_beta_search.h"
#include "engine/disc_position.h"
#include "engine/draughts_position.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engine1.h"
#include "engine/kind_engine2.h"
#include "engine/kind_engine3.h"
#include "engine/kind_engine4.h"
#include "engine/kind_engine5.h"
#include "engine/kind_engine6.h"
#include "engine/kind_engine7.h"
#include "engine/placement_position.h"
#include "platform/random.h"

namespace tavlero {

namespace {

// The deepest root a stored engine state can carry (LoadState keeps it within this).
constexpr int kMaxRootDepth = 1 << 20;

thread_local FastSearchReport lastReport;

// The search's memory, allocated on first use and kept for every later search.
TranspositionTable& Table() {
  thread_local TranspositionTable table;
  return table;
}

template <class Move>
SearchScratch<Move>& Scratch() {
  thread_local std::unique_ptr<SearchScratch<Move>> scratch = std::make_unique<SearchScratch<Move>>();
  return *scratch;
}

RootScores& RootResult() {
  thread_local RootScores root;
  return root;
}

// The kind of an engine of exactly one of the kind classes, else -1 (a class derived
// from them may play by other rules).
int KindOf(const SearchEngine& engine) {
  const std::type_info& type = typeid(engine);
  if (type == typeid(KindEngine0)) return 0;
  if (type == typeid(KindEngine1)) return 1;
  if (type == typeid(KindEngine2)) return 2;
  if (type == typeid(KindEngine3)) return 3;
  if (type == typeid(KindEngine4)) return 4;
  if (type == typeid(KindEngine5)) return 5;
  if (type == typeid(KindEngine6)) return 6;
  if (type == typeid(KindEngine7)) return 7;
  return -1;
}

bool IsDraughtsKind(int kind) { return kind == 0 || kind == 3 || kind == 5 || kind == 6 || kind == 7; }

// What generating the root's moves does to the engine before any move is made: kind
// 7 counts all 64 cells, and a flying king's marks from the last capture are cleared.
void PrepareRoot(SearchEngine& engine, int kind) {
  if (kind == 7) engine.cellsInUse = kFullCellCount;
  if (IsDraughtsKind(kind)) {
    const DraughtsRules& rules = DraughtsPosition::RulesFor(kind);
    if (rules.flyingKings) ClearCaptureMarks(engine.cells, CellCountFor(rules));
  }
}

// The kind of the engine when the fast search can take its position, else -1.
int FastKind(const SearchEngine& engine, int maxDepth) {
  const int kind = KindOf(engine);
  if (kind < 0) return -1;
  if (engine.player != 1 && engine.player != -1) return -1;
  if (engine.depth < 0 || engine.depth > kMaxRootDepth || maxDepth - engine.depth >= kMaxSearchPly) return -1;
  switch (kind) {
    case 1: return DiscPosition::Accepts(engine.cells) ? kind : -1;
    case 2:
    case 4: return HoldsOnlyStones(engine.cells, engine.boardSize) ? kind : -1;
    default: return DraughtsPosition::Accepts(kind, engine.cells) ? kind : -1;
  }
}

// Calls visit(position) with the engine's position in the kind's fast form.
template <class Visit>
auto WithPosition(SearchEngine& engine, int kind, Visit&& visit) {
  switch (kind) {
    case 1: {
      DiscPosition position(engine.cells, engine.player);
      return visit(position);
    }
    case 2: {
      GomokuPosition position(engine.cells, engine.boardSize, engine.player);
      return visit(position);
    }
    case 4: {
      HexPosition position(engine.cells, engine.boardSize, engine.player);
      return visit(position);
    }
    default: {
      const EndgameTable* endgames = kind == 0 ? &static_cast<KindEngine0&>(engine).Endgames() : nullptr;
      DraughtsPosition position(kind, engine.cells, engine.player, endgames);
      return visit(position);
    }
  }
}

// Makes root move `index` the engine's position as Think copies the chosen successor.
void PlayRootMove(SearchEngine& engine, int, const DiscSearchMove& move, int, bool) {
  PlayDisc(engine.cells, move.square % kDiscBoardSide, move.square / kDiscBoardSide, engine.player);
  engine.path.clear();
}

void PlayRootMove(SearchEngine& engine, int, const PlacementMove& move, int, bool) {
  engine.cells[move.cell] = engine.player;
  engine.path.clear();
}

// A draughts successor keeps the marks of a flying king's capture until it generates
// its own moves, which the search does unless the successor was the only move, or
// decided, or at the depth limit.
void PlayRootMove(SearchEngine& engine, int kind, const DraughtsSearchMove&, int index, bool expanded) {
  const DraughtsRules& rules = DraughtsPosition::RulesFor(kind);
  const int cellCount = CellCountFor(rules);
  int after[kFullCellCount] = {};
  int found = 0;
  GenerateDraughtsMoveList(rules, engine.cells, engine.player, [&](const int* board, const DraughtsMove& move) {
    if (found++ != index) return;
    std::copy(board, board + cellCount, after);
    engine.path.assign(move.path, move.path + move.jumps);
  });
  if (expanded) ClearCaptureMarks(after, cellCount);
  std::copy(after, after + cellCount, engine.cells);
}

int ThinkByReference(SearchEngine& engine, int maxDepth) {
  lastReport = FastSearchReport{0, true};
  return engine.Think(maxDepth);
}

}  // namespace

int FastThink(SearchEngine& engine, int maxDepth) {
  engine.ClearSuccessors();
  const int kind = FastKind(engine, maxDepth);
  if (kind < 0) return ThinkByReference(engine, maxDepth);
  PrepareRoot(engine, kind);
  return WithPosition(engine, kind, [&](auto& position) {
    using Position = std::remove_reference_t<decltype(position)>;
    AlphaBetaSearch<Position> search(position, Scratch<typename Position::Move>(), Table(), engine.depth, maxDepth);
    RootScores& root = RootResult();
    if (search.GenerateRootMoves() >= 0) search.ScoreBestRootMoves(root);
    if (search.Overflowed()) return ThinkByReference(engine, maxDepth);
    lastReport = FastSearchReport{search.Nodes(), false};
    if (root.count == 0) return -kWinScore;
    // A single move is played without drawing a random number.
    const int chosen = root.count == 1 ? 0 : root.ties[PickBelow(Rand(), static_cast<int>(root.ties.size()))];
    PlayRootMove(engine, kind, search.RootMove(chosen), chosen, search.RootChildExpanded(chosen));
    engine.evalState = 0;
    engine.player = -engine.player;
    return root.best;
  });
}

int FastScoreRootMoves(SearchEngine& engine, int maxDepth, std::vector<int>& scores, std::vector<int>& ties) {
  engine.ClearSuccessors();
  const int kind = FastKind(engine, maxDepth);
  if (kind < 0) {
    lastReport = FastSearchReport{0, true};
    const int count = engine.ScoreRootMoves(maxDepth, scores, ties);
    engine.ClearSuccessors();
    return count;
  }
  PrepareRoot(engine, kind);
  const bool done = WithPosition(engine, kind, [&](auto& position) {
    using Position = std::remove_reference_t<decltype(position)>;
    AlphaBetaSearch<Position> search(position, Scratch<typename Position::Move>(), Table(), engine.depth, maxDepth);
    RootScores& root = RootResult();
    if (search.GenerateRootMoves() >= 0) search.ScoreEveryRootMove(root);
    if (search.Overflowed()) return false;
    lastReport = FastSearchReport{search.Nodes(), false};
    scores = root.scores;
    ties = root.ties;
    return true;
  });
  if (done) return static_cast<int>(scores.size());
  lastReport = FastSearchReport{0, true};
  const int count = engine.ScoreRootMoves(maxDepth, scores, ties);
  engine.ClearSuccessors();
  return count;
}

namespace {

template <class Position>
long long CountSequences(Position& position, typename Position::Move* stack, int room, int plies, bool& full) {
  if (plies <= 0) return 1;
  if (plies == 1) return position.CountMoves();
  const int count = position.Generate(stack, room, false);
  if (count < 0) {
    full = true;
    return 0;
  }
  long long total = 0;
  for (int i = 0; i < count && !full; ++i) {
    position.Make(stack[i]);
    total += CountSequences(position, stack + count, room - count, plies - 1, full);
    position.Unmake(stack[i]);
  }
  return total;
}

}  // namespace

long long FastPerft(SearchEngine& engine, int plies) {
  engine.ClearSuccessors();
  const int kind = FastKind(engine, engine.depth);
  if (kind < 0 || plies >= kMaxSearchPly) return Perft(engine, plies);
  PrepareRoot(engine, kind);
  bool full = false;
  const long long count = WithPosition(engine, kind, [&](auto& position) {
    using Position = std::remove_reference_t<decltype(position)>;
    auto& scratch = Scratch<typename Position::Move>();
    return CountSequences(position, scratch.moves, SearchScratch<typename Position::Move>::kCapacity, plies, full);
  });
  return full ? Perft(engine, plies) : count;
}

FastSearchReport LastFastSearchReport() { return lastReport; }

}  // namespace tavlero
