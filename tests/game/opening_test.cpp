// How a board game opens: who moves first and the move made before the first turn,
// for every board kind and every choice of first player and number of players.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/kind_engines.h"
#include "game/opening.h"

namespace tavlero {
namespace {

bool SameCells(const int* a, const int* b) { return std::equal(a, a + kMaxCells, b); }

TEST(BoardOpening, WhoMovesFirstAndWhatTheComputerPlays) {
  for (int kind = 0; kind < kBoardKindCount; ++kind) {
    for (const bool computerFirst : {false, true}) {
      for (const bool twoPlayers : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "kind " << kind << (computerFirst ? " computer first" : " human first")
                                          << (twoPlayers ? ", two players" : ", one player"));
        std::unique_ptr<SearchEngine> engine = StartKindEngine(kind);
        std::unique_ptr<SearchEngine> start = StartKindEngine(kind);
        ASSERT_TRUE(engine && start);
        const bool moved = ApplyBoardOpening(kind, *engine, computerFirst, twoPlayers);

        // With the computer first, five-in-a-row always opens with a +1 stone in the
        // centre (14 x 14: index 105); against one human the rhombus does the same
        // (11 x 11: index 60) and every other kind makes a searched move. A two-player
        // game the computer would have opened otherwise starts untouched with +1.
        int centre = -1;  // where the opening stone lies, if any
        if (computerFirst && kind == 2) centre = 105;
        if (computerFirst && !twoPlayers && kind == 4) centre = 60;
        const bool searched = computerFirst && !twoPlayers && centre < 0;
        EXPECT_EQ(moved, centre >= 0 || searched);
        EXPECT_EQ(engine->player, computerFirst && !moved ? 1 : -1);
        if (centre >= 0) {
          int expected[kMaxCells] = {};
          expected[centre] = 1;
          EXPECT_TRUE(SameCells(engine->cells, expected));
        } else if (searched) {
          // The searched move is one of the start position's moves.
          ASSERT_GT(start->GenerateSuccessors(), 0);
          EXPECT_TRUE(std::any_of(start->successors.begin(), start->successors.end(),
                                  [&](const auto& s) { return SameCells(s->cells, engine->cells); }));
          start->ClearSuccessors();
        } else {
          EXPECT_TRUE(SameCells(engine->cells, start->cells));
        }
      }
    }
  }
}

}  // namespace
}  // namespace tavlero
