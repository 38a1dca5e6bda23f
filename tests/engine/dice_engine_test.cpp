#include "engine/dice_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dice_position.h"
#include "platform/random.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

using dice_test::MakePosition;
using dice_test::TargetsOf;
using Targets = std::vector<int>;

bool HasSixRun(const DiceEngine& e, int side) {
  for (int start = 0; start < 24; ++start) {
    int held = 0;
    while (held < 6 && e.points[(start + held) % 24] * side > 0) ++held;
    if (held == 6) return true;
  }
  return false;
}

TEST(DiceTargets, EncodingClosedPointsAndTheEndOfTheBoard) {
  // Each die, then both in either order: the combined point is listed twice.
  DiceEngine start = MakePosition({{0, 15}, {12, -15}}, 1, 3, 5);
  EXPECT_EQ(TargetsOf(start, 0), (Targets{3, 8, 5, 8}));
  start.player = -1;
  EXPECT_EQ(TargetsOf(start, 12), (Targets{15, 20, 17, 20}));
  // Side -1 counts on past 23; the step lands on target - 24 and uses that die.
  DiceEngine minus = MakePosition({{22, -1}, {12, -14}, {0, 15}}, -1, 4, 5);
  EXPECT_EQ(TargetsOf(minus, 22), (Targets{26, 31, 27, 31}));
  ASSERT_TRUE(minus.ApplyStep(22, 26));
  EXPECT_EQ(minus.points[2], -1);
  EXPECT_EQ(minus.dice1, 0);
  EXPECT_EQ(minus.dice2, 5);
  // One opposing checker closes a point; a combined move needs an open middle.
  DiceEngine closed = MakePosition({{3, 1}, {0, 14}, {6, -1}, {12, -14}}, 1, 3, 2);
  EXPECT_EQ(TargetsOf(closed, 3), (Targets{5, 8}));
  // No step past the last point before every checker is home: nothing wraps.
  DiceEngine far = MakePosition({{21, 1}, {10, 14}, {12, -15}}, 1, 5, 1);
  EXPECT_EQ(TargetsOf(far, 21), (Targets{22}));
  // Equal dice: on while open and while steps are left; a used die is not offered.
  DiceEngine doubles = MakePosition({{2, 1}, {0, 14}, {12, -15}}, 1, 2, 2);
  EXPECT_EQ(TargetsOf(doubles, 2), (Targets{4, 6, 8, 10}));
  doubles.double_counter = 3;
  doubles.points[8] = -1;
  doubles.points[12] = -14;
  EXPECT_EQ(TargetsOf(doubles, 2), (Targets{4, 6}));
  ASSERT_TRUE(doubles.ApplyStep(2, 6));
  EXPECT_EQ(doubles.double_counter, 1);
  doubles.double_counter = 0;
  EXPECT_EQ(TargetsOf(doubles, 6), Targets{});
  DiceEngine spent = MakePosition({{2, 1}, {12, -15}}, 1, 1, 4);
  spent.double_counter = 0;  // no step left, whatever the dice show
  EXPECT_EQ(TargetsOf(spent, 2), Targets{});
  DiceEngine used = MakePosition({{2, 1}, {12, -15}}, 1, 0, 4);
  EXPECT_EQ(TargetsOf(used, 2), (Targets{6}));
}

TEST(DiceTargets, BearingOff) {
  // Point 20 with 6 and 2: the 6 bears off only when 18 and 19 are empty.
  DiceEngine e = MakePosition({{19, 1}, {20, 1}, {23, 13}, {12, -15}}, 1, 6, 2);
  EXPECT_EQ(TargetsOf(e, 20), (Targets{22}));
  e.points[19] = 0;
  e.points[21] = 1;
  EXPECT_EQ(TargetsOf(e, 20), (Targets{20, 22}));
  ASSERT_TRUE(e.ApplyStep(20, 20));  // the 2 does not reach the exit: the 6 is used
  EXPECT_EQ(e.dice1, 0);
  EXPECT_EQ(e.dice2, 2);
  // Exact throws bear off whatever stands behind; the smaller die is used when it
  // suffices; nothing is borne off while a checker is outside the home quarter.
  DiceEngine exact = MakePosition({{18, 1}, {22, 14}, {12, -15}}, 1, 5, 2);
  EXPECT_EQ(TargetsOf(exact, 22), (Targets{22}));
  ASSERT_TRUE(exact.ApplyStep(22, 22));
  EXPECT_EQ(exact.dice1, 5);
  EXPECT_EQ(exact.dice2, 0);
  exact.points[17] = 1;
  exact.points[22] = 12;
  exact.dice2 = 2;
  EXPECT_EQ(TargetsOf(exact, 22), Targets{});
  EXPECT_EQ(exact.bearOffAllowed, 0);
  // Side -1 leaves past 11; from 11 only an exact 1 would do while 9 is occupied.
  DiceEngine minus = MakePosition({{9, -2}, {11, -13}, {0, 15}}, -1, 3, 6);
  EXPECT_EQ(TargetsOf(minus, 9), (Targets{9, 9}));
  EXPECT_EQ(TargetsOf(minus, 11), Targets{});
  // With equal dice bearing off is a single step.
  DiceEngine doubles = MakePosition({{21, 1}, {23, 14}, {12, -15}}, 1, 3, 3);
  EXPECT_EQ(TargetsOf(doubles, 21), (Targets{21}));
  ASSERT_TRUE(doubles.ApplyStep(21, 21));
  EXPECT_EQ(doubles.double_counter, 3);
}

TEST(DiceSuccessors, HeadRuleBlockRuleAndTurnsWithoutAStep) {
  // With 2-2 only one checker leaves the head, but it may go 2, 4, 6 or 8, and
  // sequences that leave the head alone are generated too.
  DiceEngine e = MakePosition({{0, 13}, {5, 2}, {12, -15}}, 1, 2, 2);
  ASSERT_GT(e.GenerateSuccessors(), 0);
  bool headKept = false;
  bool headCheckerWentFar = false;
  for (const auto& final : e.successors) {
    EXPECT_GE(final->points[0], 12);
    EXPECT_EQ(final->player, 1);
    headKept |= final->points[0] == 13;
    headCheckerWentFar |= final->points[0] == 12 && final->points[8] == 1 && final->points[5] == 2;
  }
  EXPECT_TRUE(headKept);
  EXPECT_TRUE(headCheckerWentFar);

  // 1 -> 6 with the 5 and 1 -> 4 with the 3 close 1 ... 6: dropped until side -1
  // has a checker in its home quarter.
  const auto block = [](int opponentPoint) {
    DiceEngine b = MakePosition({{1, 3}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {9, 8}, {12, -14}}, 1, 5, 3);
    b.points[opponentPoint] = -1;
    b.GenerateSuccessors();
    return std::count_if(b.successors.begin(), b.successors.end(),
                         [](const auto& final) { return HasSixRun(*final, 1); });
  };
  EXPECT_EQ(block(20), 0);
  EXPECT_GT(block(8), 0);
  // The run is counted around the board.
  EXPECT_FALSE(MakePosition({{21, 1}, {22, 1}, {23, 1}, {0, 10}, {1, 1}, {2, 1}, {12, -15}}, 1, 1, 2)
                   .PassesBlockRule());

  // Dice that allow nothing: Think changes nothing but the side to move.
  DiceEngine stuck = MakePosition({{0, 14}, {10, 1}, {12, -13}, {16, -1}, {11, -1}}, 1, 1, 6);
  stuck.headAllowed = 0;
  const auto before = stuck.points;
  EXPECT_EQ(stuck.Think(), 0);
  EXPECT_EQ(stuck.points, before);
  EXPECT_EQ(stuck.player, -1);
  EXPECT_TRUE(stuck.fromPoints.empty());
}

TEST(DiceEvaluate, ProgressTablesBonusesAndDecidedGames) {
  bool terminal = true;
  EXPECT_EQ(MakePosition({{0, 15}, {12, -15}}, 1, 0, 0).Evaluate(terminal), 0);
  EXPECT_FALSE(terminal);
  // Opponent on its head: point 8 is worth 400, one checker off the head 500.
  EXPECT_EQ(MakePosition({{0, 14}, {8, 1}, {12, -15}}, 1, 0, 0).Evaluate(terminal), 900);
  // Home values fall towards the exit; a borne-off checker is worth 1000.
  EXPECT_EQ(MakePosition({{23, 14}, {12, -15}}, 1, 0, 0).Evaluate(terminal), 700 + 1000 + 500 * 15);
  // Opponent's head empty (a mover's checker there does not count): 400 on point
  // 12, 1000 + 200 per checker at home.
  EXPECT_EQ(MakePosition({{0, 12}, {12, 1}, {20, 2}, {5, -15}}, 1, 0, 0).Evaluate(terminal),
            400 + 1000 + 400 + 500 * 3);

  // A position and its mirror (shifted by 12, sides swapped) score alike.
  SeedRand(7);
  for (int trial = 0; trial < 200; ++trial) {
    DiceEngine e = MakePosition({}, trial % 2 ? 1 : -1, 0, 0);
    for (int side : {1, -1}) {
      for (int c = 0; c < 13; ++c) {
        int p = RandomBelow(24);
        while (e.points[p] * side < 0) p = (p + 1) % 24;
        e.points[p] += side;
      }
    }
    DiceEngine mirror = MakePosition({}, -e.player, 0, 0);
    for (int i = 0; i < 24; ++i) mirror.points[(i + 12) % 24] = -e.points[i];
    bool unused = false;
    ASSERT_EQ(e.Evaluate(unused), mirror.Evaluate(unused)) << trial;
  }

  DiceEngine done = MakePosition({{5, -3}}, -1, 0, 0);
  EXPECT_EQ(done.Evaluate(terminal), -DiceEngine::kDecidedScore);  // side +1 has borne off
  EXPECT_TRUE(terminal);
  EXPECT_EQ(MakePosition({{20, 2}}, 1, 0, 0).Evaluate(terminal), -DiceEngine::kDecidedScore);
}

TEST(DiceThink, ChoosesUniformlyAmongEqualScores) {
  // 5 -> 6 and 7 -> 8 score the same.
  DiceEngine tie = MakePosition({{0, 13}, {5, 1}, {7, 1}, {12, -15}}, 1, 1, 0);
  tie.headAllowed = 0;
  SeedRand(12345);
  int first = 0;
  int second = 0;
  for (int run = 0; run < 2000; ++run) {
    DiceEngine e = tie;
    ASSERT_EQ(e.Think(), 2);
    first += e.points[6] == 1 && e.points[7] == 1;
    second += e.points[5] == 1 && e.points[8] == 1;
  }
  EXPECT_EQ(first + second, 2000);
  EXPECT_GT(first, 900);
  EXPECT_GT(second, 900);
}

TEST(DiceState, RoundTripAndDamagedValues) {
  DiceEngine e = MakePosition({{0, 9}, {4, 3}, {23, 2}, {12, -11}, {2, -1}, {9, -3}}, -1, 3, 3);
  e.double_counter = 2;
  OSettingsTree tree;
  e.SaveState(tree, "History.Pos7");
  OSettingsTree reread;
  ASSERT_TRUE(reread.LoadText(tree.ToText()));
  DiceEngine back;
  back.LoadState(reread, "History.Pos7");
  EXPECT_EQ(back.points, e.points);
  EXPECT_EQ(back.player, -1);
  EXPECT_EQ(back.dice1 * 10 + back.dice2, 33);
  EXPECT_EQ(back.double_counter, 2);

  // A short list leaves the rest empty; values no game can have are brought back
  // into range; missing keys read as 0 and a missing side to move as side +1.
  OSettingsTree damaged;
  damaged.SetIntList("P.Position", std::vector<int>{4, -2, 99});
  damaged.SetInt("P.dice1", 9);
  damaged.SetInt("P.double_counter", 1000);
  DiceEngine d;
  d.LoadState(damaged, "P");
  EXPECT_EQ(d.points, (std::array<int, 24>{4, -2, 15}));
  EXPECT_EQ(d.player, 1);
  EXPECT_EQ(d.dice1 + d.dice2, 0);
  EXPECT_EQ(d.double_counter, DiceEngine::kDoubleSteps);
  EXPECT_EQ(d.Think(), 0);
}

}  // namespace
}  // namespace tavlero
