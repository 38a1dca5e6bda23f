#include "ui/draughts_play.h"

#include <algorithm>
#include <iterator>

#include "engine/search_engine.h"
#include "game/cell_codes.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "sound/effects_player.h"
#include "ui/board_play_support.h"
#include "ui/game_screen.h"

namespace tavlero {

DraughtsPlay::~DraughtsPlay() { Drop(); }

SearchEngine& DraughtsPlay::Engine() const { return *game_.Engine(); }

bool DraughtsPlay::Open() {
  SearchEngine& engine = Engine();
  const bool moved = ApplyBoardOpening(game_.Kind(), engine, game_.options.computerFirst, game_.options.twoPlayers);
  if (moved) {
    game_.StorePosition();
    game_.MarkGameRunning();
    ShowPosition();
  }
  return moved;
}

void DraughtsPlay::Resume() {
  // A game saved while the computer was to answer goes on with its answer.
  if (game_.OneHuman() && !game_.demo && Engine().player > 0 &&
      !::tavlero::CheckGameEnd(game_.Kind(), Engine(), game_.options.computerFirst).over)
    ComputerMove();
}

void DraughtsPlay::ShowPosition() { game_.ShowBoardPosition(Animating() ? destination_ : BoardCell{}); }

void DraughtsPlay::CountPieces(int& first, int& second) const { CountBoardPieces(game_, first, second); }

void DraughtsPlay::Drop() {
  for (OSprite*& sprite : fading_) game_.DropSprite(sprite);
  fading_.clear();
  game_.DropSprite(moving_);
  replyPending_ = false;
  destination_ = {};
  hovered_ = {};
  game_.selectedCell = {};
  game_.busy = false;
}

void DraughtsPlay::CheckEnd() { EndIfDecided(game_); }

// ---------------------------------------------------------------------------------------
// The human's move

void DraughtsPlay::Click(int x, int y) {
  const BoardCell cell = game_.CellAt(x, y);
  NoteBoardClick(game_, cell.Valid());
  if (!cell.Valid()) return;
  game_.clickedCell = cell;
  SearchEngine& engine = Engine();
  if (!HumansTurn(game_, engine)) {
    game_.PlaySound(effect::kRefused);
    return;
  }
  const int code = engine.cells[CellIndex(game_.Kind(), engine.boardSize, cell.column, cell.row)];
  if (PieceOf(code, engine.player)) {
    // A flying king's capture that comes back to its own square is made by clicking
    // the picked-up king once more; otherwise a click on an own piece picks it up.
    if (cell == game_.selectedCell && MoveSelectedTo(cell)) return;
    PickUp(cell);
  } else if (code == kEmptyCell && game_.selectedCell.Valid()) {
    if (!MoveSelectedTo(cell)) game_.PlaySound(effect::kRefused);
  } else {
    game_.PlaySound(effect::kRefused);
  }
}

std::vector<BoardCell> DraughtsPlay::MovablePieces() {
  SearchEngine& engine = Engine();
  const int kind = game_.Kind(), n = engine.boardSize, mover = engine.player;
  int before[kMaxCells];
  std::copy(std::begin(engine.cells), std::end(engine.cells), before);
  engine.GenerateSuccessors();
  int opponents = 0;
  for (int i = 0; i < kMaxCells; ++i) opponents += PieceOf(before[i], -mover) ? 1 : 0;
  auto captures = [&](const SearchEngine& successor) {
    int left = 0;
    for (int i = 0; i < kMaxCells; ++i) left += PieceOf(successor.cells[i], -mover) ? 1 : 0;
    return left < opponents;
  };
  const bool anyCapture = std::any_of(engine.successors.begin(), engine.successors.end(),
                                      [&](const auto& successor) { return captures(*successor); });
  std::vector<BoardCell> movable;
  for (const auto& successor : engine.successors) {
    if (anyCapture && !captures(*successor)) continue;
    bool left = false;
    for (int i = 0; i < kMaxCells; ++i) {
      if (PieceOf(before[i], mover) && !PieceOf(successor->cells[i], mover)) {
        movable.push_back(CellOfIndex(kind, n, i));
        left = true;
      }
    }
    // A capture that ends where it began leaves no square: its piece is the one on the
    // last square of its path.
    if (!left && !successor->path.empty()) movable.push_back(CellOfIndex(kind, n, successor->path.back()));
  }
  engine.ClearSuccessors();
  return movable;
}

void DraughtsPlay::PickUp(BoardCell cell) {
  const std::vector<BoardCell> movable = MovablePieces();
  if (std::find(movable.begin(), movable.end(), cell) == movable.end()) {
    game_.PlaySound(effect::kRefused);
    return;
  }
  if (game_.selectedCell.Valid()) ShowPieceFrame(game_.selectedCell, 0);
  game_.selectedCell = cell;
  ShowPieceFrame(cell, 1);
  game_.PlaySound(effect::kPickedUp);
}

bool DraughtsPlay::MoveSelectedTo(BoardCell target) {
  SearchEngine& engine = Engine();
  const int kind = game_.Kind(), n = engine.boardSize, mover = engine.player;
  if (engine.GenerateSuccessors() == 0) {
    // The side to move is blocked: the other side has won.
    game_.EndGame(mover > 0 ? 2 : 1);
    return true;
  }
  int wanted[kMaxCells];
  std::copy(std::begin(engine.cells), std::end(engine.cells), wanted);
  const int from = CellIndex(kind, n, game_.selectedCell.column, game_.selectedCell.row);
  const int to = CellIndex(kind, n, target.column, target.row);
  const bool roundTrip = from == to;
  if (!roundTrip) {
    wanted[to] = wanted[from];
    wanted[from] = kEmptyCell;
  }
  const SearchEngine* match = nullptr;
  for (const auto& successor : engine.successors) {
    // Coming back to the start square is only a capture that ends there.
    if (roundTrip && (successor->path.empty() || successor->path.back() != from)) continue;
    bool fits = true;
    for (int i = 0; i < kMaxCells && fits; ++i) fits = !PieceOf(wanted[i], mover) || PieceOf(successor->cells[i], mover);
    if (fits) {
      match = successor.get();
      break;
    }
  }
  if (!match) {
    engine.ClearSuccessors();
    return false;
  }
  int before[kMaxCells];
  std::copy(std::begin(engine.cells), std::end(engine.cells), before);
  const std::vector<int> path = match->path;
  engine.CopyPosition(match->cells);
  engine.ClearSuccessors();
  engine.depth = 0;
  engine.player = -mover;
  game_.clickedCell = {};
  game_.selectedCell = {};
  Animate(before, path, mover);
  if (game_.OneHuman()) {
    game_.StorePosition();
    replyPending_ = true;
  }
  game_.ShowUndo();
  ++game_.movesMade;
  return true;
}

void DraughtsPlay::Animate(const int* before, const std::vector<int>& path, int mover) {
  SearchEngine& engine = Engine();
  const int kind = game_.Kind(), n = engine.boardSize;
  int origin = -1, destination = -1;
  for (int i = 0; i < kMaxCells; ++i) {
    const bool had = PieceOf(before[i], mover), has = PieceOf(engine.cells[i], mover);
    if (had && !has && origin < 0) origin = i;
    if (has && !had && destination < 0) destination = i;
  }
  // A flying king's capture may end on the square it started from: it leaves along
  // its path and comes back.
  if (origin < 0 && destination < 0 && !path.empty()) origin = destination = path.back();
  const double depth = kAnimationDepth;
  for (int i = 0; i < kMaxCells; ++i) {
    if (!PieceOf(before[i], -mover) || PieceOf(engine.cells[i], -mover)) continue;
    const BoardCell cell = CellOfIndex(kind, n, i);
    const ScreenPoint point = CellScreenPoint(kind, n, cell.column, cell.row);
    OSprite* sprite = game_.NewPieceSprite(game_.PictureOfCode(before[i]), point.x, point.y, depth);
    game_.AddSprite(sprite);
    fading_.push_back(sprite);
  }
  if (origin < 0 || destination < 0) {
    ShowPosition();
    return;
  }
  const BoardCell from = CellOfIndex(kind, n, origin);
  const ScreenPoint start = CellScreenPoint(kind, n, from.column, from.row);
  moving_ = game_.NewPieceSprite(game_.PictureOfCode(before[origin]), start.x, start.y, depth);
  std::vector<int> stops = path;
  if (stops.empty()) stops.push_back(destination);
  for (const int stop : stops) {
    const BoardCell cell = CellOfIndex(kind, n, stop);
    const ScreenPoint point = CellScreenPoint(kind, n, cell.column, cell.row);
    moving_->AddWaypoint(point.x, point.y, 0, kMoveSpeed, false);
  }
  game_.AddSprite(moving_);
  destination_ = CellOfIndex(kind, n, destination);
  fadeLevel_ = 0;
  game_.busy = true;
  ShowPosition();
}

void DraughtsPlay::Tick() {
  if (Animating()) {
    for (OSprite* sprite : fading_) sprite->SetTransparency(std::min(fadeLevel_, 255));
    fadeLevel_ += kFadeStep;
  }
  if (game_.selectedCell.Valid()) ShowPieceFrame(game_.selectedCell, hovered_ == game_.selectedCell ? 2 : 1);
}

void DraughtsPlay::Arrived(OSprite* sprite) {
  if (sprite == nullptr || sprite != moving_) return;
  for (OSprite*& fading : fading_) game_.DropSprite(fading);
  fading_.clear();
  game_.DropSprite(moving_);
  destination_ = {};
  game_.busy = false;
  if (replyPending_) {
    replyPending_ = false;
    ShowPosition();
    ComputerMove();
    return;
  }
  // The computer's move, or any move of two humans, is kept once it has landed.
  game_.StorePosition();
  ShowPosition();
}

// ---------------------------------------------------------------------------------------
// The computer's move

void DraughtsPlay::ComputerMove() {
  SearchEngine& engine = Engine();
  const int mover = engine.player;
  const int moves = engine.GenerateSuccessors();
  engine.ClearSuccessors();
  if (moves == 0) {
    game_.EndGame(mover > 0 ? 2 : 1);
    return;
  }
  int before[kMaxCells];
  std::copy(std::begin(engine.cells), std::end(engine.cells), before);
  game_.Think(engine, game_.SearchDepth());
  game_.MarkGameRunning();
  Animate(before, engine.path, mover);
}

// ---------------------------------------------------------------------------------------
// Hover

void DraughtsPlay::ShowPieceFrame(BoardCell cell, int frame) {
  if (OSprite* sprite = game_.PieceSprite(cell)) {
    if (sprite->currentFrame != frame) sprite->SetFrame(frame, -1);
  }
}

void DraughtsPlay::Hover(int x, int y) {
  const BoardCell cell = game_.CellAt(x, y);
  if (cell == hovered_) return;
  if (hovered_.Valid()) ShowPieceFrame(hovered_, hovered_ == game_.selectedCell ? 1 : 0);
  hovered_ = {};
  if (!cell.Valid()) return;
  const SearchEngine& engine = Engine();
  if (!HumansTurn(game_, engine)) return;
  const int code = engine.cells[CellIndex(game_.Kind(), engine.boardSize, cell.column, cell.row)];
  if (!PieceOf(code, engine.player)) return;
  hovered_ = cell;
  ShowPieceFrame(cell, cell == game_.selectedCell ? 2 : 3);
}

}  // namespace tavlero
