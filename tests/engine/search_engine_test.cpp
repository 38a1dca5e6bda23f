// The game-tree search: root scoring, fail-hard alpha-beta, ties and the random pick,
// the evaluation cache, and the engine state keys.
#include <gtest/gtest.h>

#include "draughts_positions.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engine3.h"
#include "engine/kind_engine5.h"
#include "engine/kind_engine6.h"
#include "engine/kind_engine7.h"
#include "engine/kind_engines.h"
#include "platform/random.h"
#include "store/settings_tree.h"

namespace tavlero {
namespace {

using testing::DarkCell;
using testing::FullCell;
using testing::MakePosition;

// Plain negamax without pruning, with the search's own terminal and no-move rules.
int ReferenceNegamax(SearchEngine& node, int maxDepth) {
  bool terminal = false;
  const int v = node.Evaluate(terminal);
  if (terminal || node.depth >= maxDepth) return v;
  if (node.GenerateSuccessors() == 0) return node.depth - kWinScore;
  int best = -kSearchWindow;
  for (auto& child : node.successors) best = std::max(best, -ReferenceNegamax(*child, maxDepth));
  node.ClearSuccessors();
  return best;
}

void ExpectRootScoresExact(SearchEngine& root, int maxDepth) {
  std::vector<int> scores, ties;
  const int count = root.ScoreRootMoves(maxDepth, scores, ties);
  ASSERT_GT(count, 1);
  int best = -kSearchWindow;
  for (int i = 0; i < count; ++i) {
    const int expected = -ReferenceNegamax(*root.successors[i], maxDepth);
    EXPECT_EQ(scores[i], expected) << "move " << i;
    best = std::max(best, expected);
  }
  std::vector<int> expectedTies;
  for (int i = 0; i < count; ++i)
    if (scores[i] == best) expectedTies.push_back(i);
  EXPECT_EQ(ties, expectedTies);
  root.ClearSuccessors();
}

TEST(SearchEngine, RootScoresAreExactNegamaxValuesWithFullWindows) {
  auto k0 = StartKindEngine(0);
  ExpectRootScoresExact(*k0, 4);
  auto k5 = StartKindEngine(5);
  ExpectRootScoresExact(*k5, 4);
  auto k7 = StartKindEngine(7);
  ExpectRootScoresExact(*k7, 2);
  // A middle game with kings of the flying kind.
  auto k3 = MakePosition<KindEngine3>({{1, 1, 2}, {4, 2, -1}, {2, 6, -1}, {5, 5, 1}, {6, 2, -1}, {7, 7, -2}}, 1);
  ExpectRootScoresExact(*k3, 4);
  auto k6 = MakePosition<KindEngine6>({{1, 1, 2}, {4, 2, -1}, {2, 6, -1}, {5, 5, 1}, {6, 2, -1}, {7, 7, -2}}, -1);
  ExpectRootScoresExact(*k6, 4);
}

TEST(SearchEngine, AlphaBetaFailsHardAtTheLowerBound) {
  auto root = StartKindEngine(0);
  root->GenerateSuccessors();
  SearchEngine& child = *root->successors[0];
  const int exact = child.AlphaBeta(-kSearchWindow, kSearchWindow, 4);
  EXPECT_EQ(child.AlphaBeta(exact + 500, exact + 1000, 4), exact + 500);
  EXPECT_GE(child.AlphaBeta(exact - 1000, exact - 500, 4), exact - 500);
  root->ClearSuccessors();
}

TEST(SearchEngine, DecidedAndBlockedNodes) {
  // No piece of side -1: decided for side +1, not expanded whatever the depth.
  auto won = MakePosition<KindEngine0>({{3, 3, 1}}, 1);
  EXPECT_EQ(won->AlphaBeta(-kSearchWindow, kSearchWindow, 8), kWinScore);
  EXPECT_EQ(won->evalState, 2);
  EXPECT_TRUE(won->successors.empty());

  // Side -1 to move on (0,0) is walled in: a loss that counts the plies from the root.
  auto blocked = MakePosition<KindEngine0>({{0, 0, -1}, {1, 1, 1}, {2, 2, 1}}, -1);
  blocked->depth = 2;
  EXPECT_EQ(blocked->AlphaBeta(-kSearchWindow, kSearchWindow, 4), 2 - kWinScore);
}

TEST(SearchEngine, ThinkWithoutAMoveChangesNothing) {
  auto blocked = MakePosition<KindEngine0>({{0, 0, -1}, {1, 1, 1}, {2, 2, 1}}, -1);
  blocked->path = {7, 9};
  const std::vector<int> before(blocked->cells, blocked->cells + kMaxCells);
  EXPECT_EQ(blocked->Think(6), -kWinScore);
  EXPECT_EQ(std::vector<int>(blocked->cells, blocked->cells + kMaxCells), before);
  EXPECT_EQ(blocked->player, -1);
  EXPECT_EQ(blocked->path, (std::vector<int>{7, 9}));
}

TEST(SearchEngine, ThinkPlaysASingleMoveWithoutSearchOrRandomNumber) {
  // The only move is a double capture that takes side -1's last pieces.
  auto e = MakePosition<KindEngine0>({{5, 5, 1}, {4, 4, -1}, {2, 2, -1}}, 1);
  SeedRand(99);
  const int expectedNext = Rand();
  SeedRand(99);
  EXPECT_EQ(e->Think(8), kWinScore - 1);
  EXPECT_EQ(Rand(), expectedNext);
  EXPECT_EQ(e->player, -1);
  EXPECT_EQ(e->path, (std::vector<int>{DarkCell(3, 3), DarkCell(1, 1)}));
  EXPECT_EQ(e->cells[DarkCell(1, 1)], 1);
  EXPECT_EQ(e->cells[DarkCell(4, 4)], 0);
  EXPECT_EQ(e->evalState, 0);
}

TEST(SearchEngine, ThinkPicksAmongTiesWithTheSharedGenerator) {
  // At the start of kind 7 at depth 2 many moves score alike.
  for (std::uint32_t seed : {1u, 2u, 3u, 12345u}) {
    auto probe = StartKindEngine(7);
    std::vector<int> scores, ties;
    probe->ScoreRootMoves(2, scores, ties);
    ASSERT_GT(ties.size(), 1u);
    SeedRand(seed);
    const int r = Rand();
    const int expected = ties[PickBelow(r, static_cast<int>(ties.size()))];
    const std::vector<int> expectedCells(probe->successors[expected]->cells,
                                         probe->successors[expected]->cells + kMaxCells);
    probe->ClearSuccessors();

    auto e = StartKindEngine(7);
    SeedRand(seed);
    EXPECT_EQ(e->Think(2), scores[expected]);
    EXPECT_EQ(std::vector<int>(e->cells, e->cells + kMaxCells), expectedCells) << seed;
    EXPECT_EQ(e->player, -1);
    EXPECT_TRUE(e->path.empty());
    EXPECT_TRUE(e->successors.empty());
  }
}

TEST(SearchEngine, ThinkAvoidsTheMoveThatLosesItsLastPiece) {
  // Kind 7, side +1 to move with its one man on (4,4): right and left are quiet, down
  // walks into a forced capture. At depth 2 the quiet moves score one man against
  // two (-1000, less the depth 2) and the capture a lost game two plies away.
  auto e = MakePosition<KindEngine7>({{4, 4, 1}, {4, 2, -1}, {7, 0, -1}}, 1, true);
  std::vector<int> scores, ties;
  ASSERT_EQ(e->ScoreRootMoves(2, scores, ties), 3);
  EXPECT_EQ(scores, (std::vector<int>{-998, -998, 2 - kWinScore}));
  EXPECT_EQ(ties, (std::vector<int>{0, 1}));
  e->ClearSuccessors();
  SeedRand(4);
  EXPECT_EQ(e->Think(2), -998);
  EXPECT_EQ(e->cells[FullCell(4, 3)], 0);
  EXPECT_EQ(e->cells[FullCell(4, 4)], 0);
  EXPECT_EQ(e->player, -1);
}

TEST(SearchEngine, InvertedKindsNegateAndCacheTheNegatedScore) {
  for (int kind : {5, 6}) {
    auto e = CreateKindEngine(kind);
    std::fill(std::begin(e->cells), std::end(e->cells), 0);
    e->cells[DarkCell(3, 3)] = 1;
    e->player = -1;  // side -1 has no pieces left: in the inverted kinds it has won
    e->depth = 3;
    bool terminal = false;
    EXPECT_EQ(e->Evaluate(terminal), kWinScore - 3) << kind;
    EXPECT_TRUE(terminal);
    EXPECT_EQ(e->Evaluate(terminal), kWinScore - 3) << "cached a second time, kind " << kind;

    e->cells[DarkCell(0, 0)] = -1;
    e->evalState = 0;
    const int open = e->Evaluate(terminal);
    EXPECT_FALSE(terminal);
    EXPECT_EQ(e->Evaluate(terminal), open);
    auto plain = CreateKindEngine(kind == 5 ? 0 : 3);
    plain->CopyPosition(e->cells);
    plain->player = -1;
    plain->depth = 3;
    EXPECT_EQ(plain->Evaluate(terminal), -open);
  }
}

TEST(SearchEngine, PieceTablesAreTheSameTablesTurnedForSideMinusOne) {
  // A man of each side on mirrored squares balance out; so do kings.
  auto e = MakePosition<KindEngine3>({{1, 5, 1}, {6, 2, -1}, {2, 0, 2}, {5, 7, -2}}, 1);
  bool terminal = false;
  EXPECT_EQ(e->Evaluate(terminal), 0);
  auto single = MakePosition<KindEngine0>({{0, 0, 1}, {7, 7, -2}}, -1);
  single->depth = 0;
  // Man of side +1 on (0,0) weighs 1290, king of side -1 on (7,7) weighs table (0,0)'s king 1319.
  EXPECT_EQ(single->Evaluate(terminal), -(1290 - 1319));
}

TEST(SearchEngine, StateRoundTripAndShortPositionLists) {
  auto e = StartKindEngine(7);
  e->cells[FullCell(3, 3)] = -2;
  e->cells[150] = -3;  // beyond the board, still carried along
  e->depth = 3;
  e->player = -1;
  OSettingsTree tree;
  e->SaveState(tree, "Game.P1");
  auto back = CreateKindEngine(7);
  back->LoadState(tree, "Game.P1");
  EXPECT_EQ(std::vector<int>(back->cells, back->cells + kMaxCells), std::vector<int>(e->cells, e->cells + kMaxCells));
  EXPECT_EQ(back->boardSize, 8);
  EXPECT_EQ(back->cellsInUse, 64);
  EXPECT_EQ(back->totalCells, 64);
  EXPECT_EQ(back->depth, 3);
  EXPECT_EQ(back->player, -1);

  OSettingsTree shortTree;
  shortTree.LoadText("P = {\n\tPosition=[1 2 3]\n}\n");
  auto partial = CreateKindEngine(0);
  std::fill(std::begin(partial->cells), std::end(partial->cells), 9);
  partial->LoadState(shortTree, "P");
  EXPECT_EQ(partial->cells[2], 3);
  EXPECT_EQ(partial->cells[3], 0);
  EXPECT_EQ(partial->cells[195], 0);
  EXPECT_EQ(partial->boardSize, 0);  // missing integers read as 0
}

TEST(SearchEngine, DamagedStateValuesAreReadAsSomethingTheRulesCanPlay) {
  OSettingsTree tree;
  tree.LoadText("G = {\n\tPosition=[1 -2 3 4 -2147483648 2147483647 -4]\n\tbSize=2147483647\n"
                "\tNumK=-5\n\tMaxNumK=100000\n}\n");
  for (int kind = 0; kind < 8; ++kind) {
    auto e = CreateKindEngine(kind);
    e->LoadState(tree, "G");
    EXPECT_EQ(std::vector<int>(e->cells, e->cells + 7), (std::vector<int>{1, -2, 3, 0, 0, 0, 0}));
    EXPECT_EQ(e->boardSize, 14);
    EXPECT_EQ(e->cellsInUse, 0);
    EXPECT_EQ(e->totalCells, kMaxCells);
    e->player = 1;
    e->Think(2);  // the sanitizer build reports any overflow or stray read here
  }
}

TEST(SearchEngine, AHandEditedDepthCannotOverflowTheSearch) {
  for (const char* depth : {"2147483647", "-2147483648"}) {
    auto e = StartKindEngine(0);
    OSettingsTree tree;
    e->SaveState(tree, "G");
    tree.SetRaw("G.Depth", depth);
    auto loaded = CreateKindEngine(0);
    loaded->LoadState(tree, "G");
    EXPECT_GE(loaded->depth, 0);
    EXPECT_LT(loaded->depth, 2000000);
    loaded->Think(4);  // the sanitizer build reports any signed overflow here
    EXPECT_EQ(loaded->player, -1);
  }
}

TEST(SearchEngine, AStoredSideToMoveIsReadAsOneOfTheTwoSides) {
  // A missing key (read as 0) gives side +1, which opens a game.
  for (const auto& [stored, side] : {std::pair{"-2147483648", -1}, {"2147483647", 1}, {"-7", -1}, {"0", 1}}) {
    auto e = StartKindEngine(0);
    OSettingsTree tree;
    e->SaveState(tree, "G");
    tree.SetRaw("G.Player", stored);
    e->LoadState(tree, "G");
    EXPECT_EQ(e->player, side) << stored;
    // The sanitizer build reports any overflow of the side's negation here.
    EXPECT_GT(e->Think(2), -kWinScore) << stored;
    EXPECT_EQ(e->player, -side);
  }
}

TEST(SearchEngine, KindTables) {
  EXPECT_EQ(KindBoardSize(2), 14);
  EXPECT_EQ(KindBoardSize(4), 11);
  EXPECT_EQ(KindBoardSize(8), 0);
  EXPECT_EQ(SearchDepth(0, 2), 8);
  EXPECT_EQ(SearchDepth(7, 2), 4);
  EXPECT_EQ(SearchDepth(1, 1), 4);
  EXPECT_EQ(SearchDepth(4, 0), 1);
  EXPECT_EQ(CreateKindEngine(8), nullptr);
  EXPECT_EQ(CreateKindEngine(-1), nullptr);
}

}  // namespace
}  // namespace tavlero
