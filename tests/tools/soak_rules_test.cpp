// The soak's rules check must refuse what a broken program could plausibly show: a
// move with the wrong side to move after it, a piece gone without a capture, a stone
// on a taken point or after the game was decided, a dice turn the dice shown do not
// allow. A check that let these through would pass every soak.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/dice_engine.h"
#include "engine/kind_engines.h"
#include "engine/search_engine.h"
#include "game/dice_rules.h"
#include "soak_rules.h"

namespace tavlero::tool {
namespace {

// The first of the engine's moves from `from`, the other side then to move.
SoakPosition FirstMove(const SoakPosition& from) {
  std::unique_ptr<SearchEngine> engine = StartKindEngine(from.kind);
  std::copy(from.cells.begin(), from.cells.end(), engine->cells);
  engine->player = from.player;
  EXPECT_GT(engine->GenerateSuccessors(), 0) << "kind " << from.kind;
  SoakPosition after = PositionOf(from.kind, *engine->successors.front());
  after.player = -from.player;
  return after;
}

TEST(SoakRules, BoardMovesAreCountedAndImpossibleChangesRefused) {
  for (const int kind : {0, 1, 3, 5, 6, 7}) {
    SCOPED_TRACE(kind);
    const SoakPosition start = StartOf(kind, -1);
    const SoakPosition moved = FirstMove(start);
    const SoakPosition answered = FirstMove(moved);
    EXPECT_EQ(MovesBetween(start, start, 2), 0);
    EXPECT_EQ(MovesBetween(start, moved, 2), 1);
    EXPECT_EQ(MovesBetween(start, answered, 2), 2);
    EXPECT_EQ(MovesBetween(start, answered, 1), -1) << "two moves are not one";

    SoakPosition sameSide = moved;
    sameSide.player = -1;
    EXPECT_EQ(MovesBetween(start, sameSide, 1), -1) << "the mover cannot move again";

    SoakPosition vanished = moved;
    *std::find_if(vanished.cells.begin(), vanished.cells.end(), [](int code) { return code < 0; }) = 0;
    EXPECT_EQ(MovesBetween(start, vanished, 2), -1) << "a piece gone without a capture";
  }
}

TEST(SoakRules, StonesGoOnEmptyPointsInTurnAndNotAfterTheEnd) {
  for (const int kind : {2, 4}) {
    SCOPED_TRACE(kind);
    const SoakPosition start = StartOf(kind, -1);
    SoakPosition one = start;
    one.cells[7] = -1;
    one.player = 1;
    EXPECT_EQ(MovesBetween(start, one, 2), 1);

    SoakPosition turnKept = one;
    turnKept.player = -1;
    EXPECT_EQ(MovesBetween(start, turnKept, 2), -1) << "the turn passes with the stone";

    SoakPosition wrongSide = one;
    wrongSide.cells[7] = 1;
    EXPECT_EQ(MovesBetween(start, wrongSide, 2), -1);

    SoakPosition overTaken = one;
    overTaken.cells[7] = 1;
    overTaken.player = -1;
    EXPECT_EQ(MovesBetween(one, overTaken, 2), -1) << "a stone replaced";
  }
  // Five in a row for side -1, side +1 to move: the game is over.
  SoakPosition decided = StartOf(2, 1);
  const int n = static_cast<int>(std::lround(std::sqrt(decided.cells.size())));
  for (int column = 0; column < 5; ++column) decided.cells[column] = -1;
  for (int column = 0; column < 4; ++column) decided.cells[2 * n + column] = 1;
  ASSERT_TRUE(BoardGameOver(decided));
  SoakPosition after = decided;
  after.cells[100] = 1;
  after.player = -1;
  EXPECT_EQ(MovesBetween(decided, after, 2), -1);
}

TEST(SoakRules, DiceTurnsFollowTheDiceShown) {
  const SoakPosition origin = StartOf(kSoakDiceKind, 1);
  DiceEngine engine;
  engine.SetStartPosition();
  StartDiceTurn(engine, DiceRoll{6, 5});
  engine.Think();
  const SoakPosition played = PositionOf(engine);
  ASSERT_EQ(played.player, -1);
  EXPECT_TRUE(DiceTurnEnds(origin, DiceRoll{6, 5}, played));
  EXPECT_TRUE(DiceTurnEnds(origin, DiceRoll{5, 6}, played));
  EXPECT_FALSE(DiceTurnEnds(origin, DiceRoll{1, 2}, played)) << "eleven pips with three thrown";
  SoakPosition stillToMove = played;
  stillToMove.player = 1;
  EXPECT_FALSE(DiceTurnEnds(origin, DiceRoll{6, 5}, stillToMove));

  // One step of a head checker by the first die: reachable with that die only.
  DiceEngine step;
  step.SetStartPosition();
  StartDiceTurn(step, DiceRoll{1, 2});
  int head = 0;
  while (step.points[head] != 15) ++head;
  const std::vector<int> destinations = DiceDestinations(step, head);
  ASSERT_FALSE(destinations.empty());
  ASSERT_TRUE(DiceStep(step, head, destinations.front()));
  SoakPosition stepped = PositionOf(step);
  stepped.player = 1;
  EXPECT_TRUE(DiceStepsReach(origin, DiceRoll{1, 2}, stepped));
  EXPECT_FALSE(DiceStepsReach(origin, DiceRoll{6, 6}, stepped));
  EXPECT_FALSE(DiceStepsReach(origin, DiceRoll{1, 2}, origin)) << "no step is not a step";
}

}  // namespace
}  // namespace tavlero::tool
