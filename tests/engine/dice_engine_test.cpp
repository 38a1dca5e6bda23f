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
  int run = 0;
  for (int i = 0; i < 24 + 5; ++i) {
    run = e.points[i % 24] * side > 0 ? run + 1 : 0;
    if (run >= 6) return true;
  }
  return false;
}

TEST(DiceTargets, DifferentDiceListEachDieAndBothOrders) {
  DiceEngine start;
  start.SetStartPosition();
  start.dice1 = 3;
  start.dice2 = 5;
  start.double_counter = -1;
  EXPECT_EQ(TargetsOf(start, 0), (Targets{3, 8, 5, 8}));
  start.player = -1;
  EXPECT_EQ(TargetsOf(start, 12), (Targets{15, 20, 17, 20}));
  // Nothing from an empty point or the other side's point.
  EXPECT_EQ(TargetsOf(start, 4), Targets{});
  EXPECT_EQ(TargetsOf(start, 0), Targets{});

  // Side -1 crosses from 23 to 0: targets count on past 23.
  DiceEngine minus = MakePosition({{22, -1}, {12, -14}, {0, 15}}, -1, 4, 5);
  EXPECT_EQ(TargetsOf(minus, 22), (Targets{26, 31, 27, 31}));
  ASSERT_TRUE(minus.ApplyStep(22, 26));
  EXPECT_EQ(minus.points[2], -1);
  EXPECT_EQ(minus.points[22], 0);
  EXPECT_EQ(minus.dice1, 0);
  EXPECT_EQ(minus.dice2, 5);
}

TEST(DiceTargets, ClosedPointsHeadAndEndOfTheBoard) {
  // A single opposing checker closes a point; a combined move needs an open middle.
  DiceEngine e = MakePosition({{3, 1}, {0, 14}, {6, -1}, {12, -14}}, 1, 3, 2);
  EXPECT_EQ(TargetsOf(e, 3), (Targets{5, 8}));
  e.points[8] = -1;
  e.points[12] = -13;
  EXPECT_EQ(TargetsOf(e, 3), (Targets{5}));

  // No step beyond the last point while bearing off is not allowed: no wrapping.
  DiceEngine far = MakePosition({{21, 1}, {10, 14}, {12, -15}}, 1, 5, 1);
  EXPECT_EQ(TargetsOf(far, 21), (Targets{22}));
  DiceEngine farMinus = MakePosition({{9, -1}, {15, -14}, {0, 15}}, -1, 5, 1);
  EXPECT_EQ(TargetsOf(farMinus, 9), (Targets{10}));

  // The head is closed once a checker has left it this turn.
  DiceEngine start;
  start.SetStartPosition();
  start.dice1 = 3;
  start.dice2 = 5;
  start.double_counter = -1;
  start.headAllowed = 0;
  EXPECT_EQ(TargetsOf(start, 0), Targets{});
  EXPECT_FALSE(start.HasAnyMove());
}

TEST(DiceTargets, EqualDiceStepOnWhileOpenAndStepsLeft) {
  DiceEngine e = MakePosition({{2, 1}, {0, 14}, {12, -15}}, 1, 2, 2);
  EXPECT_EQ(TargetsOf(e, 2), (Targets{4, 6, 8, 10}));
  e.double_counter = 2;
  EXPECT_EQ(TargetsOf(e, 2), (Targets{4, 6}));
  e.double_counter = 4;
  e.points[8] = -1;
  e.points[12] = -14;
  EXPECT_EQ(TargetsOf(e, 2), (Targets{4, 6}));
  ASSERT_TRUE(e.ApplyStep(2, 6));
  EXPECT_EQ(e.double_counter, 2);
  // A used die is never offered.
  DiceEngine used = MakePosition({{2, 1}, {0, 14}, {12, -15}}, 1, 0, 4);
  EXPECT_EQ(TargetsOf(used, 2), (Targets{6}));
}

TEST(DiceBearOff, LargerDieOnlyForTheRearmostChecker) {
  // Point 20 with 6 and 2: the 6 bears off only when 18 and 19 are empty.
  DiceEngine e = MakePosition({{19, 1}, {20, 1}, {23, 13}, {12, -15}}, 1, 6, 2);
  EXPECT_EQ(TargetsOf(e, 20), (Targets{22}));
  e.points[19] = 0;
  e.points[21] = 1;
  EXPECT_EQ(TargetsOf(e, 20), (Targets{20, 22}));
  EXPECT_EQ(e.bearOffAllowed, 1);
  // Exact throws bear off whatever stands behind.
  DiceEngine exact = MakePosition({{18, 1}, {22, 14}, {12, -15}}, 1, 2, 5);
  EXPECT_EQ(TargetsOf(exact, 22), (Targets{22}));
  // Not while a checker is outside the home quarter.
  exact.points[17] = 1;
  exact.points[22] = 13;
  EXPECT_EQ(TargetsOf(exact, 22), Targets{});
  EXPECT_EQ(exact.bearOffAllowed, 0);
  // Side -1 leaves past point 11; its home quarter is 6 ... 11.
  DiceEngine minus = MakePosition({{9, -2}, {11, -13}, {0, 15}}, -1, 3, 6);
  EXPECT_EQ(TargetsOf(minus, 9), (Targets{9, 9}));
  // From 11 only an exact 1 would do: point 9 stands farther from the exit.
  EXPECT_EQ(TargetsOf(minus, 11), Targets{});
}

TEST(DiceBearOff, UsesTheSmallerDieWhenItSuffices) {
  DiceEngine e = MakePosition({{22, 2}, {23, 13}, {12, -15}}, 1, 5, 2);
  ASSERT_TRUE(e.ApplyStep(22, 22));
  EXPECT_EQ(e.points[22], 1);
  EXPECT_EQ(e.dice1, 5);
  EXPECT_EQ(e.dice2, 0);
  EXPECT_EQ(e.toPoints.back(), 22);

  DiceEngine larger = MakePosition({{20, 1}, {23, 14}, {12, -15}}, 1, 2, 6);
  ASSERT_TRUE(larger.ApplyStep(20, 20));
  EXPECT_EQ(larger.dice1, 2);
  EXPECT_EQ(larger.dice2, 0);

  DiceEngine minus = MakePosition({{9, -1}, {11, -14}, {0, 15}}, -1, 6, 3);
  ASSERT_TRUE(minus.ApplyStep(9, 9));
  EXPECT_EQ(minus.dice1, 6);
  EXPECT_EQ(minus.dice2, 0);

  // With equal dice bearing off is one step.
  DiceEngine doubles = MakePosition({{21, 1}, {23, 14}, {12, -15}}, 1, 3, 3);
  EXPECT_EQ(TargetsOf(doubles, 21), (Targets{21}));
  ASSERT_TRUE(doubles.ApplyStep(21, 21));
  EXPECT_EQ(doubles.double_counter, 3);
}

// Replays the step records of every final position from `before` and checks that
// they lead to its points, one checker at a time, and that no checker is lost.
void ExpectRecordsReplay(const DiceEngine& before) {
  for (const auto& final : before.successors) {
    auto points = before.points;
    const std::size_t steps = final->fromPoints.size();
    ASSERT_EQ(final->toPoints.size(), steps);
    ASSERT_EQ(final->fromCounts.size(), steps);
    ASSERT_EQ(final->toCounts.size(), steps);
    ASSERT_GE(steps, 1u);
    for (std::size_t s = 0; s < steps; ++s) {
      const int from = final->fromPoints[s];
      const int to = final->toPoints[s];
      ASSERT_GT(points[from] * before.player, 0);
      points[from] -= before.player;
      if (to != from) points[to] += before.player;
      EXPECT_EQ(points[from], final->fromCounts[s]);
      EXPECT_EQ(points[to], final->toCounts[s]);
    }
    EXPECT_EQ(points, final->points);
    EXPECT_EQ(final->player, before.player);
  }
}

TEST(DiceSuccessors, OneCheckerLeavesTheHeadAlsoWithDoubles) {
  DiceEngine e = MakePosition({{0, 13}, {5, 2}, {12, -15}}, 1, 2, 2);
  ASSERT_GT(e.GenerateSuccessors(), 0);
  bool headUsed = false;
  bool headKept = false;
  bool headCheckerWentFar = false;
  for (const auto& final : e.successors) {
    EXPECT_GE(final->points[0], 12);
    headUsed |= final->points[0] == 12;
    headKept |= final->points[0] == 13;
    headCheckerWentFar |= final->points[0] == 12 && final->points[8] > 0 && final->points[5] == 2;
  }
  EXPECT_TRUE(headUsed);
  EXPECT_TRUE(headKept);
  EXPECT_TRUE(headCheckerWentFar);
  ExpectRecordsReplay(e);

  DiceEngine start;
  start.SetStartPosition();
  start.dice1 = start.dice2 = 6;
  start.double_counter = 4;
  ASSERT_EQ(start.GenerateSuccessors(), 1);  // 0 -> 6; the opponent's head blocks the rest
  EXPECT_EQ(start.successors[0]->points[0], 14);
  EXPECT_EQ(start.successors[0]->points[6], 1);
}

TEST(DiceSuccessors, RecordsReplayForMixedPositions) {
  DiceEngine plus = MakePosition({{0, 6}, {3, 2}, {7, 3}, {15, 2}, {19, 2}, {12, -10}, {14, -2}, {4, -3}},
                                 1, 4, 1);
  ASSERT_GT(plus.GenerateSuccessors(), 0);
  ExpectRecordsReplay(plus);
  DiceEngine minus = MakePosition({{12, -5}, {20, -4}, {23, -3}, {2, -3}, {0, 10}, {5, 5}}, -1, 3, 3);
  ASSERT_GT(minus.GenerateSuccessors(), 0);
  ExpectRecordsReplay(minus);
}

TEST(DiceSuccessors, PartialTurnsAndTurnsWithoutAStep) {
  // The 6 cannot be used after the 1 and not before it: the turn ends after one step.
  DiceEngine e = MakePosition({{0, 14}, {10, 1}, {12, -13}, {16, -1}, {17, -1}}, 1, 1, 6);
  e.headAllowed = 0;
  ASSERT_EQ(e.GenerateSuccessors(), 1);
  EXPECT_EQ(e.successors[0]->points[11], 1);
  EXPECT_EQ(e.successors[0]->dice2, 6);
  EXPECT_EQ(e.successors[0]->fromPoints.size(), 1u);

  // Dice that allow nothing: Think changes nothing but the side to move.
  DiceEngine stuck = MakePosition({{0, 14}, {10, 1}, {12, -13}, {16, -1}, {11, -1}}, 1, 1, 6);
  stuck.headAllowed = 0;
  const auto before = stuck.points;
  EXPECT_FALSE(stuck.HasAnyMove());
  EXPECT_EQ(stuck.Think(), 0);
  EXPECT_EQ(stuck.points, before);
  EXPECT_EQ(stuck.player, -1);
  EXPECT_TRUE(stuck.fromPoints.empty());
}

TEST(DiceSuccessors, BlockRuleDropsSixInARowUntilTheOpponentIsHome) {
  // 1 -> 6 with the 5 would give side +1 the points 1 ... 6.
  const auto make = [](bool opponentHome) {
    DiceEngine e = MakePosition({{1, 3}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {9, 8}, {12, -14}}, 1, 5, 3);
    e.points[opponentHome ? 8 : 20] = -1;
    return e;
  };
  DiceEngine ruled = make(false);
  DiceEngine free = make(true);
  ASSERT_GT(ruled.GenerateSuccessors(), 0);
  ASSERT_GT(free.GenerateSuccessors(), 0);
  for (const auto& final : ruled.successors) EXPECT_FALSE(HasSixRun(*final, 1));
  EXPECT_TRUE(std::any_of(free.successors.begin(), free.successors.end(),
                          [](const auto& final) { return HasSixRun(*final, 1); }));

  // The rule runs around the board: 21, 22, 23, 0, 1, 2 is a block too.
  DiceEngine around = MakePosition({{21, 1}, {22, 1}, {23, 1}, {0, 10}, {1, 1}, {2, 1}, {12, -15}}, 1, 1, 2);
  EXPECT_FALSE(around.PassesBlockRule());
  around.player = -1;
  EXPECT_TRUE(around.PassesBlockRule());
}

TEST(DiceEvaluate, ProgressTablesAndBonuses) {
  bool terminal = true;
  DiceEngine start;
  start.SetStartPosition();
  EXPECT_EQ(start.Evaluate(terminal), 0);
  EXPECT_FALSE(terminal);

  // Opponent still on its head: point 8 is worth 400, one checker off the head 500.
  DiceEngine early = MakePosition({{0, 14}, {8, 1}, {12, -15}}, 1, 0, 0);
  EXPECT_EQ(early.Evaluate(terminal), 900);
  // Home quarter values fall towards the exit; one borne off is worth 1000.
  DiceEngine racing = MakePosition({{23, 14}, {12, -15}}, 1, 0, 0);
  EXPECT_EQ(racing.Evaluate(terminal), 700 + 1000 + 500 * 15);
  // Once the opponent's head is empty (a mover's checker standing there does not
  // count): 400 on point 12, 1000 + 200 per checker at home.
  DiceEngine late = MakePosition({{0, 13}, {12, 1}, {20, 1}, {5, -15}}, 1, 0, 0);
  EXPECT_EQ(late.Evaluate(terminal), 400 + 1000 + 200 + 500 * 2);
  DiceEngine stacked = MakePosition({{0, 13}, {20, 2}, {5, -15}}, 1, 0, 0);
  EXPECT_EQ(stacked.Evaluate(terminal), 1000 + 400 + 500 * 2);
}

TEST(DiceEvaluate, SidesAreMirrorImagesAndTheEndIsDecided) {
  // A position and its mirror (shifted by 12, sides swapped) score alike.
  SeedRand(7);
  for (int trial = 0; trial < 200; ++trial) {
    DiceEngine e;
    e.points.fill(0);
    for (int side : {1, -1}) {
      for (int c = 0; c < 15 - RandomBelow(4); ++c) {
        int p;
        do p = RandomBelow(24); while (e.points[p] * side < 0);
        e.points[p] += side;
      }
    }
    e.player = trial % 2 ? 1 : -1;
    DiceEngine mirror = e;
    for (int i = 0; i < 24; ++i) mirror.points[(i + 12) % 24] = -e.points[i];
    mirror.player = -e.player;
    bool t1 = false;
    bool t2 = false;
    ASSERT_EQ(e.Evaluate(t1), mirror.Evaluate(t2)) << trial;
  }

  bool terminal = false;
  DiceEngine plusDone = MakePosition({{5, -3}}, 1, 0, 0);
  EXPECT_EQ(plusDone.Evaluate(terminal), DiceEngine::kDecidedScore);
  EXPECT_TRUE(terminal);
  plusDone.player = -1;
  EXPECT_EQ(plusDone.Evaluate(terminal), -DiceEngine::kDecidedScore);
  DiceEngine minusDone = MakePosition({{20, 2}}, 1, 0, 0);
  EXPECT_EQ(minusDone.Evaluate(terminal), -DiceEngine::kDecidedScore);
  EXPECT_TRUE(terminal);
}

TEST(DiceThink, PlaysTheBestScoreAndChoosesUniformlyAmongEquals) {
  // 5 -> 6 and 7 -> 8 score the same (650 on the board either way).
  const DiceEngine tie = [] {
    DiceEngine e = MakePosition({{0, 13}, {5, 1}, {7, 1}, {12, -15}}, 1, 1, 0);
    e.headAllowed = 0;
    return e;
  }();
  SeedRand(12345);
  int firstChosen = 0;
  int secondChosen = 0;
  constexpr int kRuns = 2000;
  for (int run = 0; run < kRuns; ++run) {
    DiceEngine e = tie;
    ASSERT_EQ(e.Think(), 2);
    EXPECT_EQ(e.player, -1);
    if (e.points[6] == 1 && e.points[7] == 1) ++firstChosen;
    if (e.points[5] == 1 && e.points[8] == 1) ++secondChosen;
  }
  EXPECT_EQ(firstChosen + secondChosen, kRuns);
  EXPECT_GT(firstChosen, kRuns * 45 / 100);
  EXPECT_GT(secondChosen, kRuns * 45 / 100);

  // A clearly better final position is always taken, with its step records.
  DiceEngine e = MakePosition({{19, 1}, {22, 2}, {23, 12}, {12, -15}}, 1, 1, 2);
  DiceEngine probe = e;
  probe.GenerateSuccessors();
  std::vector<int> scores;
  std::vector<int> ties;
  const int best = probe.ScoreSuccessors(scores, ties);
  ASSERT_FALSE(ties.empty());
  e.Think();
  e.player = 1;
  bool terminal = false;
  EXPECT_EQ(e.Evaluate(terminal), best);
  EXPECT_FALSE(e.fromPoints.empty());
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
  EXPECT_EQ(back.dice1, 3);
  EXPECT_EQ(back.dice2, 3);
  EXPECT_EQ(back.double_counter, 2);

  // Missing keys read as 0, a short list leaves the rest empty, values that cannot
  // belong to a game are brought back into range.
  OSettingsTree damaged;
  damaged.SetIntList("P.Position", std::vector<int>{4, -2, 99});
  damaged.SetInt("P.Player", 7);
  damaged.SetInt("P.dice1", 9);
  damaged.SetInt("P.double_counter", 1000);
  DiceEngine d;
  d.SetStartPosition();
  d.LoadState(damaged, "P");
  EXPECT_EQ(d.points[0], 4);
  EXPECT_EQ(d.points[1], -2);
  EXPECT_EQ(d.points[2], 15);
  for (int i = 3; i < 24; ++i) EXPECT_EQ(d.points[i], 0);
  EXPECT_EQ(d.player, 1);
  EXPECT_EQ(d.dice1, 0);
  EXPECT_EQ(d.dice2, 0);
  EXPECT_EQ(d.double_counter, DiceEngine::kDoubleSteps);
  // Nothing at all under the prefix: an empty board, nothing to play, no crash.
  DiceEngine empty;
  empty.LoadState(OSettingsTree{}, "None");
  EXPECT_EQ(empty.Think(), 0);
}

}  // namespace
}  // namespace tavlero
