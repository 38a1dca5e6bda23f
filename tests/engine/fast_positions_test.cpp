// The positions the fast search moves on: a move made on the position gives the
// same position, hash and evaluation as one built afresh from the engine node's
// successor, and taking it back restores everything; the five-in-a-row board kept
// stone by stone agrees with one loaded whole; the table never answers from an
// earlier search.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/disc_position.h"
#include "engine/draughts_position.h"
#include "engine/fast_search.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "engine/placement_position.h"
#include "engine/transposition_table.h"
#include "platform/random.h"

namespace tavlero {
namespace {

std::shared_ptr<EndgameTable> Endgames() {
  static const std::shared_ptr<EndgameTable> table = [] {
    auto t = std::make_shared<EndgameTable>();
    t->Load(std::string(TAVLERO_DATA_DIR) + "/cfg/endgames.dat");
    return t;
  }();
  return table;
}

// The fast position of an engine's position, as FastThink builds it.
template <class Position>
Position FastPositionOf(int kind, const SearchEngine& e) {
  if constexpr (std::is_same_v<Position, DraughtsPosition>) {
    return DraughtsPosition(kind, e.cells, e.player, kind == 0 ? Endgames().get() : nullptr);
  } else if constexpr (std::is_same_v<Position, DiscPosition>) {
    return DiscPosition(e.cells, e.player);
  } else {
    return Position(e.cells, e.boardSize, e.player);
  }
}

// Walks a random game; at every position each move is made, checked against the
// engine node's successor of the same index, and taken back.
template <class Position>
void WalkAndCompare(int kind, int games, int plies) {
  using Move = typename Position::Move;
  SeedRand(900 + kind);
  for (int game = 0; game < games; ++game) {
    std::unique_ptr<SearchEngine> e = StartKindEngine(kind);
    if (kind == 0) static_cast<KindEngine0&>(*e).ShareEndgameTable(Endgames());
    if (kind == 2) e->cells[7 * 14 + 7] = 1, e->player = -1;
    for (int ply = 0; ply < plies; ++ply) {
      Position position = FastPositionOf<Position>(kind, *e);
      std::vector<Move> moves(512);
      const int count = position.Generate(moves.data(), 512, true);
      ASSERT_EQ(count, e->GenerateSuccessors()) << "kind " << kind;
      if (count == 0) break;
      const std::uint64_t hash = position.Hash();
      for (int i = 0; i < count; ++i) {
        SearchEngine& successor = *e->successors[i];
        const int depth = 1 + i % 3;
        int leaf = 0;
        const bool shortcut = position.LeafValue(moves[i], depth, leaf);
        position.Make(moves[i]);
        Position fresh = FastPositionOf<Position>(kind, successor);
        ASSERT_EQ(position.Hash(), fresh.Hash()) << "kind " << kind << " move " << i;
        bool terminal = false, freshTerminal = false;
        const int value = position.Evaluate(depth, terminal);
        ASSERT_EQ(value, fresh.Evaluate(depth, freshTerminal)) << "kind " << kind << " move " << i;
        ASSERT_EQ(terminal, freshTerminal);
        if (shortcut) {
          ASSERT_EQ(leaf, value) << "kind " << kind << " move " << i;
        }
        ASSERT_EQ(position.CountMoves(), fresh.CountMoves()) << "kind " << kind << " move " << i;
        position.Unmake(moves[i]);
        ASSERT_EQ(position.Hash(), hash);
      }
      SearchEngine& next = *e->successors[RandomBelow(count)];
      std::copy(next.cells, next.cells + kMaxCells, e->cells);
      e->ClearSuccessors();
      e->player = -e->player;
    }
    e->ClearSuccessors();
  }
}

TEST(FastPositions, MovesMadeAndTakenBackMatchTheEngineSuccessors) {
  for (int kind : {0, 3, 5, 6, 7}) WalkAndCompare<DraughtsPosition>(kind, 6, 120);
  WalkAndCompare<DiscPosition>(1, 6, 60);
  WalkAndCompare<GomokuPosition>(2, 2, 40);
  WalkAndCompare<HexPosition>(4, 1, 30);
}

TEST(FastPositions, AFiveInARowBoardKeptStoneByStoneMatchesOneLoadedWhole) {
  SeedRand(17);
  for (int trial = 0; trial < 30; ++trial) {
    GomokuBoard kept(14);
    int cells[kMaxCells] = {};
    // Stones put and taken in any order, lines of four and five among them.
    for (int step = 0; step < 150; ++step) {
      const int cell = RandomBelow(6) == 0 ? 14 * (3 + trial % 8) + 4 + step % 5 : RandomBelow(196);
      const int code = RandomBelow(4) == 0 ? 0 : (RandomBelow(2) ? 1 : -1);
      cells[cell] = code;
      kept.Set(cell, code);
      if (step % 10 != 9) continue;
      GomokuBoard loaded(14);
      loaded.Load(cells);
      for (int player : {1, -1}) {
        bool a = false, b = false;
        ASSERT_EQ(kept.Evaluate(player, step % 4, a), loaded.Evaluate(player, step % 4, b)) << trial << "/" << step;
        ASSERT_EQ(a, b);
      }
    }
  }
}

TEST(FastPositions, TheTableNeverAnswersFromAnEarlierSearch) {
  TranspositionTable table;
  table.NewSearch();
  table.Store(12345, 77, ScoreBound::kExact, 3);
  ASSERT_NE(table.Probe(12345), nullptr);
  EXPECT_EQ(table.Probe(12345)->score, 77);
  EXPECT_EQ(table.Probe(12345 + (1ull << 40)), nullptr);  // same slot, other position
  // Through a full turn of the search counter the old entry never comes back.
  for (int search = 0; search < 70000; ++search) {
    table.NewSearch();
    ASSERT_EQ(table.Probe(12345), nullptr) << search;
  }
}

}  // namespace
}  // namespace tavlero
