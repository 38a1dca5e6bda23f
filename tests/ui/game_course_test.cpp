// Whole games played through the real screens by clicks: the human's moves are found
// from the rules (the engine's successors, the dice destinations) independently of the
// screen's click handling, and every position the board takes is checked to be one the
// rules allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/kind_engines.h"
#include "game/cell_codes.h"
#include "game/dice_rules.h"
#include "game_test_support.h"
#include "ui/dice_play.h"

namespace tavlero::game_test {
namespace {

constexpr int kMoveLimit = 400;

bool SameCells(const int* a, const int* b, int count) { return std::equal(a, a + count, b); }

// The legal moves of the position on the board, from a separate engine.
std::vector<std::unique_ptr<SearchEngine>> LegalMoves(const SearchEngine& board, int kind) {
  std::unique_ptr<SearchEngine> scratch = CreateKindEngine(kind);
  scratch->SetBoardSize(board.boardSize);
  scratch->cellsInUse = board.cellsInUse;
  scratch->totalCells = board.totalCells;
  scratch->CopyPosition(board.cells);
  scratch->player = board.player;
  scratch->GenerateSuccessors();
  return std::move(scratch->successors);
}

struct HumanMove {
  BoardCell from, to;  // from is no cell for the kinds that place a piece
};

// The clicks that make `after` out of `before` for the side that moved.
HumanMove ClicksFor(int kind, int n, const int* before, const int* after, int mover) {
  HumanMove move;
  for (int i = 0; i < kMaxCells; ++i) {
    const bool had = BelongsTo(before[i], mover) && !IsCaptureMark(before[i]);
    const bool has = BelongsTo(after[i], mover) && !IsCaptureMark(after[i]);
    if (kind == 1 || kind == 2 || kind == 4) {
      if (before[i] == kEmptyCell && after[i] != kEmptyCell) move.to = CellOfIndex(kind, n, i);
    } else if (had && !has) {
      move.from = CellOfIndex(kind, n, i);
    } else if (has && !had) {
      move.to = CellOfIndex(kind, n, i);
    }
  }
  return move;
}

// The human (side -1) plays random legal moves by clicks until the end banner is up;
// every move the board takes must be one of the legal moves found beforehand.
void PlayBoardGameToTheEnd(RunningGame& run, int kind) {
  OGameScreen& game = run.Game();
  for (int moves = 0; moves < kMoveLimit && !game.BannerShown(); ++moves) {
    ASSERT_TRUE(run.Settle());
    run.Tick();
    if (game.BannerShown() || game.gameOver) break;
    SearchEngine& board = *game.Engine();
    if (board.player != -1) continue;  // a pass, or the computer's answer is still due
    if (kind == 2 || kind == 4) {
      // Stones go on any empty cell; with one human the rhombus answers in the same click.
      std::vector<int> empty;
      for (int i = 0; i < board.totalCells; ++i)
        if (board.cells[i] == kEmptyCell) empty.push_back(i);
      const int index = empty[RandomBelow(static_cast<int>(empty.size()))];
      run.ClickCell(CellOfIndex(kind, board.boardSize, index));
      ASSERT_EQ(board.cells[index], -1) << "kind " << kind << " move " << moves;
      continue;
    }
    const auto legal = LegalMoves(board, kind);
    if (legal.empty()) continue;
    const SearchEngine& chosen = *legal[RandomBelow(static_cast<int>(legal.size()))];
    const HumanMove clicks = ClicksFor(kind, board.boardSize, board.cells, chosen.cells, -1);
    if (clicks.from.Valid()) run.ClickCell(clicks.from);
    run.ClickCell(clicks.to);
    const bool legalPosition = std::any_of(legal.begin(), legal.end(), [&](const auto& successor) {
      return SameCells(successor->cells, board.cells, board.totalCells);
    });
    ASSERT_TRUE(legalPosition) << "kind " << kind << " move " << moves;
  }
  for (int i = 0; i < 5 && !game.BannerShown(); ++i) run.Tick();
  ASSERT_TRUE(game.BannerShown()) << "kind " << kind << " did not end in " << kMoveLimit << " moves";
}

// The end of a game: banner frame, the end-of-game dialog and its effect, and a new
// game once the dialog closes.
void CheckTheEnd(RunningGame& run) {
  OGameScreen& game = run.Game();
  ASSERT_NE(game.EndBanner(), nullptr);
  EXPECT_EQ(game.EndBanner()->currentFrame, game.winner == 2 ? 1 : 0);
  EXPECT_FALSE(game.options.undoVisible);
  run.effects.played.clear();
  run.Click(300, 300);
  ASSERT_NE(run.window->CurrentScreen(), &game) << "the end-of-game dialog opens";
  ASSERT_FALSE(run.effects.played.empty());
  EXPECT_EQ(run.effects.played.back(), game.winner == 1 ? effect::kComputerWon : effect::kPlayerWon);
  run.window->OnKeyDown(13, 0);
  EXPECT_EQ(run.window->CurrentScreen(), &game);
  run.effects.played.clear();
  run.Tick();
  EXPECT_EQ(run.effects.Count(effect::kNewGame), 1);
  EXPECT_FALSE(game.BannerShown());
  EXPECT_EQ(game.history.latest, 0);
}

class BoardKindGame : public ::testing::TestWithParam<int> {};

TEST_P(BoardKindGame, TheHumanPlaysByClicksAgainstTheComputerToTheEnd) {
  const int kind = GetParam();
  WorkingFolder folder;
  WriteOptions(OptionsFor(kind));
  RunningGame run;
  ASSERT_TRUE(run.created);
  SeedRand(100 + kind);
  PlayBoardGameToTheEnd(run, kind);
  const int expectedWinner = run.Game().winner;
  EXPECT_TRUE(expectedWinner == 0 || expectedWinner == 1 || expectedWinner == 2);
  EXPECT_GT(run.effects.Count(kind == 2 ? effect::kStone : (kind == 1 || kind == 4 ? effect::kLanded
                                                                                     : effect::kPickedUp)),
            0);
  CheckTheEnd(run);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BoardKindGame, ::testing::Values(0, 1, 2, 3, 4, 5, 6, 7));

TEST(DiceGame, TheHumanThrowsAndMovesByClicksAgainstTheComputerToTheEnd) {
  WorkingFolder folder;
  WriteOptions(OptionsFor(8));
  RunningGame run;
  SeedRand(8);
  OGameScreen& game = run.Game();
  auto& play = static_cast<DicePlay&>(*game.Play());
  int steps = 0;
  for (int i = 0; i < 20000 && !game.BannerShown(); ++i) {
    ASSERT_TRUE(run.Settle());
    run.Tick();
    DiceEngine& dice = *game.Dice();
    if (game.BannerShown() || game.gameOver || dice.player != -1) continue;
    if (play.WaitingForThrow()) {
      run.Click(300, 300);
      EXPECT_TRUE(play.Rolling());
      continue;
    }
    std::vector<std::pair<int, int>> moves;
    for (int point = 0; point < DiceEngine::kPoints; ++point) {
      for (const int to : DiceDestinations(dice, point)) moves.push_back({point, to});
    }
    if (moves.empty()) continue;
    const auto [from, to] = moves[RandomBelow(static_cast<int>(moves.size()))];
    DiceEngine expected(dice);
    ASSERT_TRUE(DiceStep(expected, from, to));
    const DiceScreenPoint top = DiceStackPlace(from, play.Drawn()[from] - 1);
    run.Click(top.x + 20, top.y + 16);
    ASSERT_EQ(play.Selected(), from);
    const DiceScreenPoint place = DiceStackPlace(to, play.Drawn()[to] - (to == from ? 1 : 0));
    run.Click(place.x + 20, place.y + 16);
    ASSERT_EQ(dice.points, expected.points) << "step " << steps;
    ++steps;
  }
  ASSERT_TRUE(game.BannerShown());
  EXPECT_EQ(game.winner, DiceWinner(*game.Dice()));
  EXPECT_GT(steps, 15);
  EXPECT_GT(run.effects.Count(effect::kDice), 10);
  CheckTheEnd(run);
}

TEST(TwoHumans, EveryMoveIsStoredWhenItLandsAndTheComputerNeverMoves) {
  for (const int kind : {0, 4}) {
    WorkingFolder folder;
    WriteOptions(OptionsFor(kind, true, /*twoPlayers=*/true));
    RunningGame run;
    SeedRand(7);
    OGameScreen& game = run.Game();
    for (int move = 1; move <= 6; ++move) {
      ASSERT_TRUE(run.Settle());
      SearchEngine& board = *game.Engine();
      const int mover = board.player;
      EXPECT_EQ(mover, move % 2 == 1 ? -1 : 1) << "the sides take turns by clicks";
      const auto legal = LegalMoves(board, kind);
      const HumanMove clicks = ClicksFor(kind, board.boardSize, board.cells, legal.front()->cells, mover);
      if (clicks.from.Valid()) run.ClickCell(clicks.from);
      run.ClickCell(clicks.to);
      ASSERT_TRUE(run.Settle());
      EXPECT_EQ(game.history.latest, move) << "kind " << kind;
      EXPECT_EQ(game.movesMade, move);
    }
    EXPECT_EQ(game.options.score, 0) << "no computer move marks the game as running";
  }
}

}  // namespace
}  // namespace tavlero::game_test
