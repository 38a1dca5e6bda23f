// Move rules of the draughts kinds as the engines list them.
#include <gtest/gtest.h>

#include <set>

#include "draughts_positions.h"
#include "engine/draughts_squares.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engine3.h"
#include "engine/kind_engine5.h"
#include "engine/kind_engine6.h"
#include "engine/kind_engine7.h"

namespace tavlero {
namespace {

using testing::DarkCell;
using testing::FullCell;
using testing::MakePosition;

TEST(DraughtsSquares, NumberingMatchesTheBoardAndCoversEveryDarkSquare) {
  const int expected[16][2] = {{0, 0}, {1, 1}, {0, 2}, {2, 2}, {2, 0}, {1, 3}, {3, 3}, {3, 1},
                               {0, 4}, {2, 4}, {4, 4}, {4, 2}, {4, 0}, {1, 5}, {3, 5}, {5, 5}};
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(SquareColumn(i), expected[i][0]) << i;
    EXPECT_EQ(SquareRow(i), expected[i][1]) << i;
  }
  EXPECT_EQ(SquareColumn(31), 7);
  EXPECT_EQ(SquareRow(31), 1);
  for (int n = 2; n <= kMaxSquareBoard; n += 2) {
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < n * n / 2; ++i) {
      const int c = SquareColumn(i), r = SquareRow(i);
      ASSERT_TRUE(c < n && r < n && (c + r) % 2 == 0) << "n=" << n << " square " << i;
      EXPECT_EQ(SquareAt(c, r), i);
      seen.insert({c, r});
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(n * n / 2));
  }
  EXPECT_EQ(SquareAt(1, 0), -1);
}

TEST(DraughtsRules, ShortKingsAndForwardMenOfKindsZeroAndFive) {
  // A man of side +1 (moving down) with an enemy man behind it: no capture in kinds
  // 0 and 5, a backward capture in kind 3.
  for (int variant = 0; variant < 2; ++variant) {
    auto e = variant == 0 ? std::unique_ptr<SearchEngine>(MakePosition<KindEngine0>({{3, 3, 1}, {2, 4, -1}}, 1))
                          : std::unique_ptr<SearchEngine>(MakePosition<KindEngine5>({{3, 3, 1}, {2, 4, -1}}, 1));
    ASSERT_EQ(e->GenerateSuccessors(), 2);
    EXPECT_EQ(e->successors[0]->cells[DarkCell(2, 2)], 1);
    EXPECT_EQ(e->successors[1]->cells[DarkCell(4, 2)], 1);
    EXPECT_TRUE(e->successors[0]->path.empty());
    EXPECT_EQ(e->successors[0]->player, -1);
    EXPECT_EQ(e->successors[0]->depth, 1);
  }
  auto flying = MakePosition<KindEngine3>({{3, 3, 1}, {2, 4, -1}}, 1);
  ASSERT_EQ(flying->GenerateSuccessors(), 1);
  EXPECT_EQ(flying->successors[0]->cells[DarkCell(1, 5)], 1);
  EXPECT_EQ(flying->successors[0]->cells[DarkCell(2, 4)], 0);  // a man's capture removes at once
  EXPECT_EQ(flying->successors[0]->path, std::vector<int>{DarkCell(1, 5)});

  // A short king captures only an adjacent piece and otherwise steps one square.
  auto king = MakePosition<KindEngine0>({{3, 3, 2}, {5, 5, -1}}, 1);
  EXPECT_EQ(king->GenerateSuccessors(), 4);
  king = MakePosition<KindEngine0>({{3, 3, 2}, {4, 4, -1}}, 1);
  ASSERT_EQ(king->GenerateSuccessors(), 1);
  EXPECT_EQ(king->successors[0]->cells[DarkCell(5, 5)], 2);
}

TEST(DraughtsRules, CaptureIsCompulsoryForEveryPieceThatCanCapture) {
  auto e = MakePosition<KindEngine0>({{2, 4, 1}, {6, 4, 1}, {0, 6, 1}, {1, 3, -1}, {5, 3, -1}}, 1);
  ASSERT_EQ(e->GenerateSuccessors(), 2);
  EXPECT_EQ(e->successors[0]->path, std::vector<int>{DarkCell(0, 2)});
  EXPECT_EQ(e->successors[1]->path, std::vector<int>{DarkCell(4, 2)});
  EXPECT_EQ(e->successors[0]->cells[DarkCell(1, 3)], 0);
  EXPECT_EQ(e->successors[0]->cells[DarkCell(5, 3)], -1);
}

TEST(DraughtsRules, PromotionByCaptureEndsTheMove) {
  // The man lands on its far row; as a king it could take the man on (5,1) next.
  for (int variant = 0; variant < 2; ++variant) {
    std::unique_ptr<SearchEngine> e;
    if (variant == 0) e = MakePosition<KindEngine0>({{2, 2, 1}, {3, 1, -1}, {5, 1, -1}}, 1);
    else e = MakePosition<KindEngine3>({{2, 2, 1}, {3, 1, -1}, {5, 1, -1}}, 1);
    ASSERT_EQ(e->GenerateSuccessors(), 1) << variant;
    const SearchEngine& s = *e->successors[0];
    EXPECT_EQ(s.cells[DarkCell(4, 0)], 2);
    EXPECT_EQ(s.cells[DarkCell(5, 1)], -1);
    EXPECT_EQ(s.path, std::vector<int>{DarkCell(4, 0)});
  }
}

TEST(DraughtsRules, FlyingKingLandingsMarksAndBlockedRays) {
  // Every free square behind the captured piece is a successor of its own; the taken
  // piece stays as a mark of the capturing side.
  auto e = MakePosition<KindEngine6>({{3, 3, 2}, {5, 5, -1}}, 1);
  ASSERT_EQ(e->GenerateSuccessors(), 2);
  EXPECT_EQ(e->successors[0]->cells[DarkCell(6, 6)], 2);
  EXPECT_EQ(e->successors[1]->cells[DarkCell(7, 7)], 2);
  EXPECT_EQ(e->successors[0]->cells[DarkCell(5, 5)], 3);
  // The mark goes when that node generates its own successors.
  e->successors[0]->GenerateSuccessors();
  EXPECT_EQ(e->successors[0]->cells[DarkCell(5, 5)], 0);

  // Two pieces in a row cannot be taken.
  auto blocked = MakePosition<KindEngine3>({{0, 0, 2}, {2, 2, -1}, {3, 3, -1}}, 1);
  ASSERT_EQ(blocked->GenerateSuccessors(), 1);
  EXPECT_TRUE(blocked->successors[0]->path.empty());

  // After taking (4,4) the king cannot look back through the mark to take (1,1); it
  // may take (1,1) first instead, and then the mark blocks its way back.
  auto marks = MakePosition<KindEngine3>({{2, 2, 2}, {4, 4, -1}, {1, 1, -1}}, 1);
  ASSERT_EQ(marks->GenerateSuccessors(), 4);
  EXPECT_EQ(marks->successors[0]->path, std::vector<int>{DarkCell(0, 0)});
  for (int i = 1; i < 4; ++i) {
    EXPECT_EQ(marks->successors[i]->path.size(), 1u) << i;
    EXPECT_EQ(marks->successors[i]->cells[DarkCell(4, 4)], 3);
    EXPECT_EQ(marks->successors[i]->cells[DarkCell(1, 1)], -1);
  }

  // A sequence continues from the one landing square that offers a second capture,
  // and lists its landings in order; the other landings end the move at once.
  auto chain = MakePosition<KindEngine3>({{0, 0, 2}, {2, 2, -1}, {5, 1, -1}}, 1);
  ASSERT_EQ(chain->GenerateSuccessors(), 5);
  EXPECT_EQ(chain->successors[0]->path, (std::vector<int>{DarkCell(3, 3), DarkCell(6, 0)}));
  EXPECT_EQ(chain->successors[0]->cells[DarkCell(2, 2)], 3);
  EXPECT_EQ(chain->successors[0]->cells[DarkCell(5, 1)], 3);
  EXPECT_EQ(chain->successors[4]->path, std::vector<int>{DarkCell(7, 7)});
}

TEST(DraughtsRules, OrthogonalMenStepSidewaysHopOverOwnPiecesAndCaptureBackwards) {
  auto e = MakePosition<KindEngine7>({{3, 4, 1}, {3, 3, 1}, {4, 4, 1}, {0, 7, -1}}, 1, true);
  e->GenerateSuccessors();
  std::vector<int> fromMan;
  for (const auto& s : e->successors) {
    EXPECT_EQ(s->cells[FullCell(3, 5)], 0) << "a man never moves backwards";
    if (s->cells[FullCell(3, 4)] == 0) {
      for (int c = 0; c < 64; ++c)
        if (s->cells[c] == 1 && e->cells[c] == 0) fromMan.push_back(c);
    }
  }
  EXPECT_EQ(fromMan, (std::vector<int>{FullCell(5, 4), FullCell(2, 4), FullCell(3, 2)}));

  auto capture = MakePosition<KindEngine7>({{3, 3, 1}, {3, 4, -1}, {6, 6, -1}}, 1, true);
  ASSERT_EQ(capture->GenerateSuccessors(), 1);
  EXPECT_EQ(capture->successors[0]->path, std::vector<int>{FullCell(3, 5)});
  EXPECT_EQ(capture->successors[0]->cells[FullCell(3, 4)], 0);
}

TEST(DraughtsRules, OrthogonalKingPassesOnlyAnAdjacentOwnPiece) {
  auto e = MakePosition<KindEngine7>({{0, 4, 2}, {1, 4, 1}, {3, 4, 1}, {0, 6, 1}, {7, 7, -1}}, 1, true);
  e->GenerateSuccessors();
  std::vector<int> kingTargets;
  for (const auto& s : e->successors)
    if (s->cells[FullCell(0, 4)] == 0)
      for (int c = 0; c < 64; ++c)
        if (s->cells[c] == 2) kingTargets.push_back(c);
  EXPECT_EQ(kingTargets, (std::vector<int>{FullCell(2, 4), FullCell(0, 5), FullCell(0, 3), FullCell(0, 2),
                                           FullCell(0, 1), FullCell(0, 0)}));
}

TEST(DraughtsRules, OrthogonalNodesSeeTheWholeBoard) {
  // Side -1's pieces stand on the upper half (cells 32 and up): a fresh successor
  // must count them.
  auto e = MakePosition<KindEngine7>({{0, 1, -1}, {7, 6, 1}, {6, 6, 1}}, -1, true);
  ASSERT_GE(e->GenerateSuccessors(), 1);
  SearchEngine& child = *e->successors[0];
  bool terminal = true;
  const int score = child.Evaluate(terminal);
  EXPECT_FALSE(terminal);
  EXPECT_EQ(score, 2000 - 1000 - 1);  // side +1 to move: two men against one, less the depth
  EXPECT_EQ(child.cellsInUse, 64);
}

TEST(DraughtsStart, StartPositions) {
  KindEngine3 diagonal;
  diagonal.SetStartPosition();
  int plus = 0, minus = 0;
  for (int i = 0; i < 32; ++i) {
    if (diagonal.cells[i] == 1) {
      ++plus;
      EXPECT_GE(SquareRow(i), 5);
    }
    if (diagonal.cells[i] == -1) {
      ++minus;
      EXPECT_LE(SquareRow(i), 2);
    }
  }
  EXPECT_EQ(plus, 12);
  EXPECT_EQ(minus, 12);
  EXPECT_EQ(diagonal.player, 1);

  KindEngine7 orthogonal;
  orthogonal.SetBoardSize(8);
  orthogonal.SetStartPosition();
  EXPECT_EQ(orthogonal.cellsInUse, 64);
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(orthogonal.cells[FullCell(c, 0)], 0);
    EXPECT_EQ(orthogonal.cells[FullCell(c, 1)], -1);
    EXPECT_EQ(orthogonal.cells[FullCell(c, 2)], -1);
    EXPECT_EQ(orthogonal.cells[FullCell(c, 5)], 1);
    EXPECT_EQ(orthogonal.cells[FullCell(c, 6)], 1);
    EXPECT_EQ(orthogonal.cells[FullCell(c, 7)], 0);
  }
}

}  // namespace
}  // namespace tavlero
