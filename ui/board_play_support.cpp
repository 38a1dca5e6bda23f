#include "ui/board_play_support.h"

#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/game_end.h"
#include "sound/effects_player.h"
#include "ui/game_screen.h"

namespace tavlero {

void CountBoardPieces(const OGameScreen& game, int& first, int& second) {
  first = second = 0;
  const SearchEngine* engine = game.Engine();
  if (!engine) return;
  const int n = engine->boardSize;
  const int count = UsesDarkSquares(game.Kind()) ? n * n / 2 : n * n;
  for (int i = 0; i < count && i < kMaxCells; ++i) {
    first += PieceOf(engine->cells[i], 1) ? 1 : 0;
    second += PieceOf(engine->cells[i], -1) ? 1 : 0;
  }
}

void NoteBoardClick(OGameScreen& game, bool hit) {
  const bool firstClick = !game.firstMiss;
  game.firstMiss = true;
  if (!hit && !firstClick) game.PlaySound(effect::kRefused);
}

bool HumansTurn(const OGameScreen& game, const SearchEngine& engine) {
  return !game.OneHuman() || engine.player == -1;
}

bool PlaceHumanStone(OGameScreen& game, int x, int y) {
  const BoardCell cell = game.CellAt(x, y);
  NoteBoardClick(game, cell.Valid());
  if (!cell.Valid()) return false;
  SearchEngine& engine = *game.Engine();
  const int index = CellIndex(game.Kind(), engine.boardSize, cell.column, cell.row);
  if (!HumansTurn(game, engine) || engine.cells[index] != kEmptyCell) {
    game.PlaySound(effect::kRefused);
    return false;
  }
  engine.cells[index] = engine.player;
  engine.evalState = 0;
  engine.player = -engine.player;
  game.StorePosition();
  game.ShowBoardPosition();
  return true;
}

bool EndIfDecided(OGameScreen& game) {
  const SearchEngine* engine = game.Engine();
  if (!engine) return false;
  const GameEnd end = CheckGameEnd(game.Kind(), *engine, game.options.computerFirst);
  if (end.over) game.EndGame(end.winner);
  return end.over;
}

}  // namespace tavlero
