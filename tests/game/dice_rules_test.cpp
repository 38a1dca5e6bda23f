#include "game/dice_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "../engine/dice_position.h"
#include "platform/random.h"

namespace tavlero {
namespace {

using Points = std::vector<int>;
using Board = std::array<int, 24>;
constexpr auto Position = dice_test::MakePosition;

TEST(DiceRules, DestinationsStepsAndRefusals) {
  // Board points, each once; bearing off shows as the checker's own point.
  DiceEngine start = Position({{0, 15}, {12, -15}}, 1, 3, 5);
  EXPECT_EQ(DiceDestinations(start, 0), (Points{3, 8, 5}));
  EXPECT_EQ(DiceDestinations(start, 12), Points{});
  EXPECT_EQ(DiceDestinations(start, 24), Points{});
  DiceEngine home = Position({{20, 1}, {21, 1}, {23, 13}, {12, -15}}, 1, 6, 2);
  EXPECT_EQ(DiceDestinations(home, 20), (Points{20, 22}));

  // 22 -> 2 for side -1 is four steps across the seam: it uses the 4 alone.
  DiceEngine minus = Position({{22, -1}, {12, -14}, {0, 15}}, -1, 4, 5);
  EXPECT_EQ(DiceDestinations(minus, 22), (Points{2, 7, 3}));
  DiceEngine both = minus;
  ASSERT_TRUE(DiceStep(minus, 22, 2));
  EXPECT_EQ(minus.dice1, 0);
  EXPECT_EQ(minus.dice2, 5);
  ASSERT_TRUE(DiceStep(minus, 2, 7));
  EXPECT_FALSE(DiceTurnGoesOn(minus));
  EXPECT_EQ(minus.fromPoints.size(), 2u);
  ASSERT_TRUE(DiceStep(both, 22, 7));  // both dice at once
  EXPECT_EQ(both.dice1 + both.dice2, 0);

  // Closed point, no such die, empty point, opponent's checker, off the board,
  // bearing off far from home: refused, nothing changes.
  DiceEngine e = Position({{0, 13}, {3, 1}, {6, 1}, {12, -14}, {8, -1}}, 1, 3, 5);
  for (const auto& [from, to] : std::vector<std::pair<int, int>>{{3, 8}, {3, 4}, {5, 8}, {8, 11}, {3, 24}, {-3, 0}, {3, 3}}) {
    EXPECT_FALSE(DiceStep(e, from, to)) << from << " -> " << to;
  }
  EXPECT_EQ(e.points, (Position({{0, 13}, {3, 1}, {6, 1}, {12, -14}, {8, -1}}, 1, 3, 5).points));
  EXPECT_EQ(e.dice1 * 10 + e.dice2, 35);
  EXPECT_TRUE(e.fromPoints.empty());
}

TEST(DiceRules, TheHeadOnceTheBlockAndTheLostDie) {
  // After a checker has left the head, nothing more is offered from it, even with
  // steps of 4-4 left.
  DiceEngine e = Position({{0, 15}, {12, -15}}, 1, 4, 4);
  ASSERT_TRUE(DiceStep(e, 0, 4));
  EXPECT_EQ(DiceDestinations(e, 0), Points{});
  // 1 -> 6 would close 1 ... 6 (going on to 9 would not) until side -1 is home.
  DiceEngine block = Position({{1, 2}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {9, 9}, {12, -14}, {20, -1}}, 1, 5, 3);
  EXPECT_EQ(DiceDestinations(block, 1), (Points{9, 4}));
  block.points[20] = 0;
  block.points[8] = -1;
  EXPECT_EQ(DiceDestinations(block, 1), (Points{6, 9, 4}));
  // Only the 1 can be played; the turn ends and the 6 is lost.
  DiceEngine lost = Position({{0, 14}, {10, 1}, {12, -13}, {16, -1}, {17, -1}}, 1, 1, 6);
  lost.headAllowed = 0;
  ASSERT_TRUE(DiceStep(lost, 10, 11));
  EXPECT_FALSE(DiceTurnGoesOn(lost));
  EXPECT_EQ(lost.dice2, 6);
}

TEST(DiceRules, WinnerAndThrows) {
  DiceEngine e = Position({{5, -3}, {20, 2}}, 1, 1, 2);
  EXPECT_EQ(DiceWinner(e), kDiceNoWinner);
  e.points[5] = 0;
  EXPECT_EQ(DiceWinner(e), kDiceWinnerMinus);
  e.points[20] = 0;
  EXPECT_EQ(DiceWinner(e), kDiceWinnerPlus);  // side +1 is tested first

  // Equal dice give four steps; the demonstration gives side -1 two different dice
  // of 1 ... 3, every pair of them in time.
  SeedRand(99);
  std::set<std::pair<int, int>> minusRolls;
  for (int i = 0; i < 500; ++i) {
    const DiceRoll roll = ThrowDice();
    StartDiceTurn(e, roll);
    EXPECT_EQ(e.double_counter, roll.dice1 == roll.dice2 ? 4 : -1);
    const DiceRoll minus = ThrowDemonstrationDice(-1);
    ASSERT_NE(minus.dice1, minus.dice2);
    minusRolls.insert({minus.dice1, minus.dice2});
  }
  EXPECT_EQ(minusRolls, (std::set<std::pair<int, int>>{{1, 2}, {1, 3}, {2, 1}, {2, 3}, {3, 1}, {3, 2}}));
}

// Every final position a human can reach by clicking destinations until the turn
// ends, and the computer's candidates.
void HumanFinals(const DiceEngine& e, std::set<Board>& out) {
  for (int point = 0; point < 24; ++point) {
    for (const int to : DiceDestinations(e, point)) {
      DiceEngine next(e);
      ASSERT_TRUE(DiceStep(next, point, to));
      if (DiceTurnGoesOn(next)) {
        HumanFinals(next, out);
      } else {
        out.insert(next.points);
      }
    }
  }
}

std::set<Board> ComputerFinals(DiceEngine e) {
  e.GenerateSuccessors();
  std::set<Board> finals;
  for (const auto& final : e.successors) finals.insert(final->points);
  return finals;
}

TEST(DiceRules, HumanAndComputerDifferOnlyInPassingThroughABlock) {
  // Side +1 is home with a gap on 21. The computer judges the block rule on the
  // turn's final position only, so it may fill the gap (closing 18 ... 23 for a
  // moment) and bear that checker off with the next 3, twice. The human's markers
  // judge every step: 18 -> 21 is never offered, and 3-3 gives no single step of 6.
  const DiceEngine e = Position({{18, 2}, {19, 1}, {20, 1}, {22, 1}, {23, 10}, {12, -15}}, 1, 3, 3);
  std::set<Board> computer = ComputerFinals(e);
  std::set<Board> human;
  HumanFinals(e, human);
  const Board throughBlock{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -15, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 10};
  EXPECT_EQ(computer.erase(throughBlock), 1u);
  EXPECT_EQ(computer, human);
  EXPECT_EQ(human.size(), 4u);

  // Everywhere else, over the turns of a few seeded games, they agree exactly.
  int compared = 0;
  for (int game = 0; game < 3; ++game) {
    SeedRand(77 + game);
    DiceEngine g = Position({{0, 15}, {12, -15}}, 1, 0, 0);
    for (int turn = 0; turn < 60 && DiceWinner(g) == kDiceNoWinner; ++turn, g.Think()) {
      StartDiceTurn(g, ThrowDice());
      std::set<Board> humanFinals;
      HumanFinals(g, humanFinals);
      ASSERT_EQ(ComputerFinals(g), humanFinals) << "game " << game << " turn " << turn;
      compared += !humanFinals.empty();
    }
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace tavlero
