#include "ui/connection_play.h"

#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/opening.h"
#include "sound/effects_player.h"
#include "ui/board_play_support.h"
#include "ui/game_screen.h"

namespace tavlero {

bool ConnectionPlay::Open() {
  const bool moved =
      ApplyBoardOpening(4, *game_.Engine(), game_.options.computerFirst, game_.options.twoPlayers);
  if (moved) {
    game_.StorePosition();
    game_.MarkGameRunning();
  }
  ShowPosition();
  return moved;
}

void ConnectionPlay::Resume() {
  // A decided game brought back (after the demonstration) is over again.
  if (EndIfDecided(game_)) return;
  if (game_.OneHuman() && !game_.demo && game_.Engine()->player > 0) ComputerMove();
}

void ConnectionPlay::ShowPosition() { game_.ShowBoardPosition(); }

void ConnectionPlay::CountPieces(int& first, int& second) const { CountBoardPieces(game_, first, second); }

void ConnectionPlay::Click(int x, int y) {
  if (!PlaceHumanStone(game_, x, y)) return;
  const bool over = EndIfDecided(game_);
  game_.PlaySound(effect::kLanded);
  if (game_.OneHuman() && !over) ComputerMove();
  game_.clickedCell = {};
  game_.selectedCell = {};
  game_.ShowUndo();
  ++game_.movesMade;
}

void ConnectionPlay::ComputerMove() {
  SearchEngine& engine = *game_.Engine();
  const int moves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (moves == 0) return;
  game_.Think(engine, game_.SearchDepth());
  game_.MarkGameRunning();
  game_.StorePosition();
  ShowPosition();
  EndIfDecided(game_);
  game_.PlaySound(effect::kLanded);
}

}  // namespace tavlero
