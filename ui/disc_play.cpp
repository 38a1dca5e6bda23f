#include "ui/disc_play.h"

#include <algorithm>
#include <iterator>

#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/opening.h"
#include "sound/effects_player.h"
#include "ui/board_play_support.h"
#include "ui/game_screen.h"
#include "ui/picture_tables.h"

namespace tavlero {

namespace {
constexpr int kHintPicture = 10;  // in the background picture table
constexpr double kHintDepth = -1;
}  // namespace

DiscPlay::~DiscPlay() { Drop(); }

bool DiscPlay::Open() {
  SearchEngine& engine = *game_.Engine();
  const bool moved = ApplyBoardOpening(1, engine, game_.options.computerFirst, game_.options.twoPlayers);
  if (moved) {
    game_.StorePosition();
    game_.MarkGameRunning();
  }
  ShowPosition();
  ShowHints();
  return moved;
}

void DiscPlay::Resume() {
  ShowHints();
  // The computer's answer is never stored: a game resumed after the human's move
  // lets the computer answer again.
  if (game_.OneHuman() && !game_.demo && game_.Engine()->player > 0) StartCountdown(0);
}

void DiscPlay::ShowPosition() { game_.ShowBoardPosition(); }

void DiscPlay::CountPieces(int& first, int& second) const { CountBoardPieces(game_, first, second); }

void DiscPlay::CheckEnd() { EndIfDecided(game_); }

void DiscPlay::Drop() {
  RemoveHints();
  countdown_ = -1;
  game_.busy = false;
  game_.ShowPassNotice(false);
}

void DiscPlay::StartCountdown(int from) {
  countdown_ = from;
  game_.busy = true;
}

void DiscPlay::RemoveHints() {
  for (OSprite*& hint : hints_) game_.DropSprite(hint);
  hints_.clear();
}

void DiscPlay::ShowHints() {
  RemoveHints();
  if (game_.demo) return;
  SearchEngine& engine = *game_.Engine();
  const int n = engine.boardSize;
  engine.GenerateSuccessors();
  for (const auto& successor : engine.successors) {
    for (int i = 0; i < engine.totalCells; ++i) {
      if (engine.cells[i] != kEmptyCell || successor->cells[i] == kEmptyCell) continue;
      const BoardCell cell = CellOfIndex(1, n, i);
      const ScreenPoint point = CellScreenPoint(1, n, cell.column, cell.row);
      OSprite* hint = NewSpriteOf(BackgroundPicture(kHintPicture), point.x, point.y, kHintDepth);
      hint->SetFrame(engine.player == -1 ? 0 : 1, -1);
      game_.AddSprite(hint);
      hints_.push_back(hint);
    }
  }
  engine.ClearSuccessors();
}

void DiscPlay::Click(int x, int y) {
  const BoardCell cell = game_.CellAt(x, y);
  NoteBoardClick(game_, cell.Valid());
  if (!cell.Valid()) return;
  SearchEngine& engine = *game_.Engine();
  const int index = CellIndex(1, engine.boardSize, cell.column, cell.row);
  const int mover = engine.player;
  int chosen = -1;
  if (HumansTurn(game_, engine) && engine.cells[index] == kEmptyCell && engine.GenerateSuccessors() > 0) {
    for (std::size_t i = 0; i < engine.successors.size() && chosen < 0; ++i) {
      if (BelongsTo(engine.successors[i]->cells[index], mover)) chosen = static_cast<int>(i);
    }
  }
  if (chosen < 0) {
    engine.ClearSuccessors();
    game_.PlaySound(effect::kRefused);
    return;
  }
  game_.ShowPassNotice(false);
  int after[kMaxCells];
  std::copy(std::begin(engine.successors[chosen]->cells), std::end(engine.successors[chosen]->cells), after);
  engine.ClearSuccessors();
  // The computer's last move has not been stored yet: it is kept before the human's.
  game_.KeepBoardPosition();
  engine.CopyPosition(after);
  engine.player = -mover;
  ShowPosition();
  game_.StorePosition();
  if (EndIfDecided(game_)) return;
  StartCountdown(0);
  game_.ShowUndo();
  ++game_.movesMade;
  game_.PlaySound(effect::kLanded);
  RemoveHints();
}

void DiscPlay::Tick() {
  if (countdown_ < 0) return;
  if (++countdown_ < kReplyFrames) return;
  countdown_ = -1;
  game_.busy = false;
  game_.ShowPassNotice(false);
  if (game_.OneHuman()) ComputerMove();
  if (game_.gameOver) return;
  SearchEngine& engine = *game_.Engine();
  const int moves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (moves > 0 || EndIfDecided(game_)) {
    ShowHints();
    return;
  }
  // The side to move cannot place a disc: the turn passes, and the player is told.
  engine.player = -engine.player;
  game_.ShowPassNotice(true);
  if (game_.OneHuman()) {
    // The computer moves again.
    RemoveHints();
    StartCountdown(kPassRestart);
  } else {
    ShowHints();
  }
}

void DiscPlay::ComputerMove() {
  SearchEngine& engine = *game_.Engine();
  const int moves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (moves > 0) {
    game_.Think(engine, game_.SearchDepth());
    game_.MarkGameRunning();
    game_.PlaySound(effect::kLanded);
    ShowPosition();
    ShowHints();
    EndIfDecided(game_);
    return;
  }
  // No place for a disc: the turn passes; when the other side has none either the
  // game ends, a tie going to the second player.
  engine.player = -engine.player;
  const int otherMoves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (otherMoves == 0) {
    game_.UpdatePieceCounters();
    int first = 0, second = 0;
    CountPieces(first, second);
    game_.EndGame(first <= second ? 2 : 1);
  }
  ShowHints();
}

}  // namespace tavlero
