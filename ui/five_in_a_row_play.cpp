#include "ui/five_in_a_row_play.h"

#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/opening.h"
#include "sound/effects_player.h"
#include "ui/board_play_support.h"
#include "ui/game_screen.h"

namespace tavlero {

FiveInARowPlay::~FiveInARowPlay() { Drop(); }

bool FiveInARowPlay::Open() {
  const bool moved =
      ApplyBoardOpening(2, *game_.Engine(), game_.options.computerFirst, game_.options.twoPlayers);
  if (moved) game_.StorePosition();
  ShowPosition();
  return moved;
}

void FiveInARowPlay::Resume() {
  // A decided game brought back (after the demonstration) is over again: no stone
  // may follow the line of five.
  if (EndIfDecided(game_)) return;
  if (game_.OneHuman() && !game_.demo && game_.Engine()->player > 0) {
    countdown_ = 0;
    game_.busy = true;
  }
}

void FiveInARowPlay::ShowPosition() { game_.ShowBoardPosition(); }

void FiveInARowPlay::CountPieces(int& first, int& second) const { CountBoardPieces(game_, first, second); }

void FiveInARowPlay::Drop() {
  countdown_ = -1;
  game_.busy = false;
}

void FiveInARowPlay::Click(int x, int y) {
  if (!PlaceHumanStone(game_, x, y)) return;
  if (!EndIfDecided(game_)) {
    countdown_ = 0;
    game_.busy = true;
  }
  game_.clickedCell = {};
  game_.selectedCell = {};
  game_.ShowUndo();
  ++game_.movesMade;
  game_.PlaySound(effect::kStone);
}

void FiveInARowPlay::Tick() {
  if (countdown_ < 0) return;
  if (++countdown_ < kReplyFrames) return;
  countdown_ = -1;
  game_.busy = false;
  if (game_.OneHuman()) ComputerMove();
}

void FiveInARowPlay::ComputerMove() {
  SearchEngine& engine = *game_.Engine();
  const int moves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (moves == 0) {
    game_.EndGame(0);
    return;
  }
  game_.Think(engine, game_.SearchDepth());
  game_.MarkGameRunning();
  game_.StorePosition();
  ShowPosition();
  game_.PlaySound(effect::kStone);
  EndIfDecided(game_);
}

}  // namespace tavlero
