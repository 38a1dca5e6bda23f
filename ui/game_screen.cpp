#include "ui/game_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/required_picture.h"
#include "app/window.h"
#include "engine/fast_search.h"
#include "engine/kind_engine0.h"
#include "engine/kind_engines.h"
#include "game/cell_codes.h"
#include "game/dice_rules.h"
#include "game/game_end.h"
#include "game/opening.h"
#include "platform/window_system.h"
#include "sound/effects_player.h"
#include "ui/connection_play.h"
#include "ui/dice_play.h"
#include "ui/disc_play.h"
#include "ui/draughts_play.h"
#include "ui/five_in_a_row_play.h"
#include "ui/picture_tables.h"

namespace tavlero {

namespace {

constexpr const char* kEndgameFile = "cfg/endgames.dat";
constexpr double kBannerDepth = -100;

// The kind-0 endgame table, read once and shared by every kind-0 engine.
std::shared_ptr<EndgameTable> SharedEndgameTable() {
  static std::shared_ptr<EndgameTable> table;
  if (!table) {
    table = std::make_shared<EndgameTable>();
    table->Load(kEndgameFile);  // a missing table only makes the computer weaker
  }
  return table;
}

// Cells that carry the position: the dark squares, or the whole board.
int PlayableCells(int kind, int n) { return UsesDarkSquares(kind) ? n * n / 2 : n * n; }

}  // namespace

OGameScreen::OGameScreen(OWindow* owner) : OBoardScreen(owner) {}

OGameScreen::~OGameScreen() {
  // The play may still reference sprites of this screen; it goes first.
  play_.reset();
}

// ---------------------------------------------------------------------------------------
// Engines, play and the sprite mirror

SearchEngine* OGameScreen::Engine() const {
  const int kind = Kind();
  return kind >= 0 && kind < kDiceKind ? engines_[kind].get() : nullptr;
}

int OGameScreen::SearchDepth() const { return ::tavlero::SearchDepth(Kind(), options.level); }

void OGameScreen::MakePlay() {
  const int kind = Kind();
  if (play_ && playKind_ == kind) return;
  if (play_) play_->Drop();
  play_.reset();
  ClearBoardSprites();
  if (kind == 1) {
    play_ = std::make_unique<DiscPlay>(*this);
  } else if (kind == 2) {
    play_ = std::make_unique<FiveInARowPlay>(*this);
  } else if (kind == 4) {
    play_ = std::make_unique<ConnectionPlay>(*this);
  } else if (kind == kDiceKind) {
    play_ = std::make_unique<DicePlay>(*this);
  } else {
    play_ = std::make_unique<DraughtsPlay>(*this);
  }
  playKind_ = kind;
}

void OGameScreen::CreateEngine() {
  const int kind = Kind();
  if (kind == kDiceKind) {
    dice_ = std::make_unique<DiceEngine>();
    return;
  }
  if (engines_[kind]) engines_[kind]->ClearSuccessors();
  engines_[kind] = CreateKindEngine(kind);
  engines_[kind]->SetBoardSize(KindBoardSize(kind));
  if (kind == 0) static_cast<KindEngine0&>(*engines_[kind]).ShareEndgameTable(SharedEndgameTable());
}

void OGameScreen::StartPosition() {
  if (Kind() == kDiceKind) {
    dice_->SetStartPosition();
  } else {
    SearchEngine& engine = *Engine();
    engine.ClearSuccessors();
    engine.evalState = 0;
    engine.SetStartPosition();
  }
}

BoardCell OGameScreen::CellAt(int x, int y) const {
  const SearchEngine* engine = Engine();
  if (!engine) return {};
  return CellUnderPoint(Kind(), engine->boardSize, x, y);
}

int OGameScreen::PictureOfCode(int code) const {
  const int side = code > 0 ? 1 : -1;
  switch (Kind()) {
    case 1: return 10;
    case 2: return side > 0 ? 5 : 4;
    case 4: return side > 0 ? 7 : 6;
    default:
      if (IsKing(code)) return side > 0 ? 1 : 3;
      return side > 0 ? 0 : 2;
  }
}

OSprite* OGameScreen::NewPieceSprite(int picture, double x, double y, double z) const {
  auto* sprite = new OSprite();
  sprite->CopyFrom(piecePictures_[picture].get());
  sprite->x = x;
  sprite->y = y;
  sprite->z = z;
  sprite->SetFrame(0, -1);
  return sprite;
}

void OGameScreen::ClearBoardSprites() {
  for (auto& column : mirror_) {
    for (OSprite*& sprite : column) DropSprite(sprite);
  }
}

void OGameScreen::DropSprite(OSprite*& sprite) {
  if (!sprite) return;
  const auto& list = Sprites();
  const bool owned = std::find(list.begin(), list.end(), sprite) != list.end();
  if (owned) {
    RemoveSprite(sprite, true);
  } else {
    delete sprite;
  }
  sprite = nullptr;
}

OSprite* OGameScreen::PieceSprite(BoardCell cell) const {
  if (!cell.Valid() || cell.column >= kMaxBoardSide || cell.row < 0 || cell.row >= kMaxBoardSide) return nullptr;
  return mirror_[cell.column][cell.row];
}

void OGameScreen::ShowBoardPosition(BoardCell hidden) {
  ClearBoardSprites();
  const SearchEngine* engine = Engine();
  if (!engine) return;
  const int kind = Kind(), n = engine->boardSize;
  for (int index = 0; index < PlayableCells(kind, n); ++index) {
    const int code = engine->cells[index];
    if (code == kEmptyCell || IsCaptureMark(code)) continue;
    const BoardCell cell = CellOfIndex(kind, n, index);
    if (!cell.Valid() || cell == hidden) continue;
    const ScreenPoint point = CellScreenPoint(kind, n, cell.column, cell.row);
    OSprite* sprite = NewPieceSprite(PictureOfCode(code), point.x, point.y, PieceSpriteDepth(kind));
    if (kind == 1) sprite->SetFrame(code > 0 ? 0 : 1, -1);
    AddSprite(sprite);
    mirror_[cell.column][cell.row] = sprite;
  }
}

int OGameScreen::CountPieces(int side) const {
  int first = 0, second = 0;
  if (play_) play_->CountPieces(first, second);
  return side > 0 ? first : second;
}

void OGameScreen::UpdatePieceCounters() {
  int first = 0, second = 0;
  if (play_) play_->CountPieces(first, second);
  ShowPieceCounts(first, second);
}

// ---------------------------------------------------------------------------------------
// The course of the game

int OGameScreen::Think(SearchEngine& engine, int depth) {
  OWindow* window = Owner();
  if (window) window->SetWaitCursor(true);
  engine.depth = 0;
  const int score = FastThink(engine, depth);
  engine.ClearSuccessors();
  if (window) window->SetWaitCursor(false);
  return score;
}

void OGameScreen::StorePosition() {
  if (demo) return;
  history.current = std::max(history.current, 0) + 1;
  history.latest = history.current;
  if (Kind() == kDiceKind) {
    history.Store(history.current, *dice_);
  } else {
    history.Store(history.current, *Engine());
  }
  historyChanged_ = true;
}

void OGameScreen::KeepBoardPosition() {
  const SearchEngine* engine = Engine();
  // With nothing stored the board shows the start of the game, which is not kept.
  if (demo || !engine || history.current <= 0) return;
  const std::string prefix = GameHistory::Prefix(history.current);
  OSettingsTree board;
  engine->SaveState(board, prefix);
  bool stored = true;
  for (const char* key : {".Position", ".Player"}) {
    const std::string* shown = board.FindRaw(prefix + key);
    const std::string* kept = history.Tree().FindRaw(prefix + key);
    stored = stored && shown && kept && *shown == *kept;
  }
  if (!stored) StorePosition();
}

void OGameScreen::ShowUndo() {
  if (!demo) SetUndoVisible(true);
}

void OGameScreen::EndGame(int winnerCode) {
  gameOver = true;
  winner = winnerCode;
}

void OGameScreen::NewGame() {
  MakePlay();
  play_->Drop();
  RemoveEndBanner();
  bannerShown = false;
  gameOver = false;
  winner = 0;
  busy = false;
  movesMade = 0;
  clickedCell = {};
  selectedCell = {};
  history.Clear();
  options.score = 0;
  SetUndoVisible(false);
  CreateEngine();
  StartPosition();
  RefreshPanel();
  PlaySound(effect::kNewGame);
  play_->ShowPosition();
  play_->Open();
  historyChanged_ = true;
}

void OGameScreen::Load() {
  LoadOptions();
  ResumeSavedGame();
}

void OGameScreen::SwitchGame(int kind, bool playersChanged) {
  if (kind == Kind() && !playersChanged) return;
  StopDemo();
  if (kind != Kind()) {
    // The game being left is kept for when its kind is chosen again.
    if (options.autosave) Save();
    options.gameKind = kind;
    if (options.autosave && !playersChanged) {
      ResumeSavedGame();
      RefreshPanel();
      return;
    }
  }
  NewGame();
}

void OGameScreen::OnModalClosed(OScreen* screen, int result) {
  OBoardScreen::OnModalClosed(screen, result);
  // Autosave may just have been switched on: the game on the board is written now.
  historyChanged_ = true;
}

void OGameScreen::ResumeSavedGame() {
  MakePlay();
  play_->Drop();
  RemoveEndBanner();
  bannerShown = gameOver = busy = false;
  winner = 0;
  CreateEngine();
  if (!options.autosave) {
    // Nothing is resumed: the new-game request starts the game on the first tick.
    options.newGameNeeded = 1;
    history.Clear();
    StartPosition();
    play_->ShowPosition();
    return;
  }
  history.Load(SavedGamePath());
  // A game without a saved file counts from 0, so its first stored position is pos1.
  if (history.latest < 0) history.latest = 0;
  history.current = history.latest;
  if (history.current >= 1 && history.Has(history.current)) {
    RestoreLatest();
    return;
  }
  history.current = history.latest = 0;
  StartPosition();
  play_->ShowPosition();
  play_->Open();
}

void OGameScreen::RestoreLatest() {
  if (history.latest <= 0 || !history.Has(history.latest)) {
    NewGame();
    return;
  }
  history.current = history.latest;
  MakePlay();
  CreateEngine();
  if (Kind() == kDiceKind) {
    history.Restore(history.current, *dice_);
  } else {
    SearchEngine& engine = *Engine();
    history.Restore(history.current, engine);
    // A hand-edited file cannot give the board another size than the kind's.
    const std::unique_ptr<SearchEngine> reference = StartKindEngine(Kind());
    engine.boardSize = reference->boardSize;
    engine.cellsInUse = reference->cellsInUse;
    engine.totalCells = reference->totalCells;
  }
  play_->ShowPosition();
  play_->Resume();
}

bool OGameScreen::PositionFinished() const {
  if (gameOver || bannerShown || winner != 0) return true;
  if (Kind() == kDiceKind) return dice_ && DiceWinner(*dice_) != kDiceNoWinner;
  const SearchEngine* engine = Engine();
  return engine && ::tavlero::CheckGameEnd(Kind(), *engine, options.computerFirst).over;
}

bool OGameScreen::WriteSavedGame() {
  std::string failure;
  // A finished game is never kept: the file holds a fresh game of the kind.
  GameHistory fresh;
  fresh.Clear();
  if ((PositionFinished() ? fresh : history).Save(SavedGamePath(), &failure)) return true;
  // The player is not interrupted: the last good file stays, and the log says why.
  std::fprintf(stderr, "Tavlero: the game could not be saved to %s (%s)\n", SavedGamePath().c_str(), failure.c_str());
  return false;
}

void OGameScreen::AutosaveIfChanged() {
  if (!historyChanged_ || !options.autosave || demo) return;
  historyChanged_ = false;
  WriteSavedGame();
}

void OGameScreen::Save() {
  SaveOptions();
  if (demo) StopDemo();
  WriteSavedGame();
  historyChanged_ = false;
}

void OGameScreen::CheckGameEnd() {
  if (busy || !play_) return;
  play_->CheckEnd();
}

void OGameScreen::ShowEndBanner() {
  SetUndoVisible(false);
  bannerShown = true;
  gameOver = false;
  if (!endBanner_) {
    const OSprite& picture = BackgroundPicture(9);
    endBanner_ = NewSpriteOf(picture, (600 - picture.width) / 2 + 10, 250, kBannerDepth);
    endBanner_->SetFrame(OneHuman() && winner == 2 ? 1 : 0, -1);
    AddSprite(endBanner_);
  }
}

void OGameScreen::RemoveEndBanner() { DropSprite(endBanner_); }

void OGameScreen::Undo() {
  if (busy || demo) return;
  play_->Drop();
  gameOver = false;
  winner = 0;
  if (history.current < 3) {
    history.current = history.latest = 0;
    StartPosition();
    if (Kind() == kDiceKind) {
      dice_->player = -1;
    } else {
      Engine()->player = -1;
    }
    play_->ShowPosition();
    play_->Resume();
    historyChanged_ = true;
    return;
  }
  // The disc game keeps the computer's last move, which no store has caught yet.
  if (Kind() == 1 && OneHuman()) KeepBoardPosition();
  history.current -= OneHuman() ? 2 : 1;
  history.latest = history.current;
  historyChanged_ = true;
  RestoreLatest();
}

// ---------------------------------------------------------------------------------------
// The demonstration

void OGameScreen::StartDemo() {
  if (demo) StopDemo();
  if (busy || !play_) return;
  undoWasVisible_ = options.undoVisible;
  SetUndoVisible(false);
  play_->Drop();
  if (Kind() == 1 && OneHuman() && !bannerShown) KeepBoardPosition();
  AutosaveIfChanged();
  snapshot.Take(options);
  RemoveEndBanner();
  bannerShown = gameOver = false;
  winner = 0;
  demo = true;
  CreateEngine();
  StartPosition();
  if (Kind() == 2) PlaceCentreStone(*Engine(), -1);
  play_->ShowPosition();
  demoFrames_ = demoMoves_ = 0;
  ShowDemoBanners(true);
  RefreshPanel();
}

void OGameScreen::StopDemo() {
  if (!demo) return;
  play_->Drop();
  demo = false;
  busy = false;
  RemoveEndBanner();
  bannerShown = gameOver = false;
  winner = 0;
  ShowDemoBanners(false);
  snapshot.Restore(options);
  SetUndoVisible(undoWasVisible_);
  RefreshPanel();
  RestoreLatest();
}

void OGameScreen::DemoTick() {
  if (busy) return;
  if (gameOver || bannerShown) {
    // A demonstration game that has ended starts again from the beginning.
    StopDemo();
    StartDemo();
    return;
  }
  if (++demoFrames_ < kDemoMoveFrames) return;
  demoFrames_ = 0;
  play_->ComputerMove();
  if (++demoMoves_ >= kDemoMovesPerGame) {
    StopDemo();
    StartDemo();
  }
}

// ---------------------------------------------------------------------------------------
// Pictures, input and ticks

void OGameScreen::LoadPictures() {
  for (int i = 0; i < 11; ++i) {
    piecePictures_[i] = std::make_unique<OSprite>();
    LoadRequiredPicture(*piecePictures_[i], "clp/checker" + std::to_string(i + 1) + ".clp");
  }
}

void OGameScreen::OnFrame(int elapsedMs) {
  if (play_) {
    play_->Tick();
    if (demo) DemoTick();
  }
  if (!bannerShown && play_) {
    CheckGameEnd();
    if (Kind() != kDiceKind) UpdatePieceCounters();
  }
  if (gameOver && !busy && !demo) ShowEndBanner();
  AutosaveIfChanged();
  OBoardScreen::OnFrame(elapsedMs);
}

OControl* OGameScreen::OnMouseMove(int x, int y) {
  OControl* control = OBoardScreen::OnMouseMove(x, y);
  if (play_ && !busy && !demo && !bannerShown && x < kBoardAreaWidth) play_->Hover(x, y);
  return control;
}

OControl* OGameScreen::OnLButtonDown(int x, int y) {
  if (busy && x < kBoardAreaWidth && y > kDragRows) return nullptr;
  return OBoardScreen::OnLButtonDown(x, y);
}

OControl* OGameScreen::OnLButtonUp(int x, int y) {
  if (bannerShown && !Dragging()) {
    OControl* control = OBoardScreen::OnLButtonUp(x, y);
    if (control == nullptr || control == undoButton_) {
      bannerShown = false;
      OpenEndOfGameDialog();
    }
    return control;
  }
  const bool boardClick = x < kBoardAreaWidth && y > kDragRows && !Dragging();
  // A decided game takes no more moves, even from a click that comes before the
  // banner's frame.
  if (boardClick && !busy && !demo && !gameOver && play_) play_->Click(x, y);
  return OBoardScreen::OnLButtonUp(x, y);
}

void OGameScreen::OnKeyDown(int key, int modifiers) {
  if (demo) {
    StopDemo();
    if (key != platform::vk::kF1) return;
  }
  OBoardScreen::OnKeyDown(key, modifiers);
}

void OGameScreen::OnControl(OControl* control) {
  if (control == undoButton_) Undo();
  OBoardScreen::OnControl(control);
}

void OGameScreen::OnSpriteArrived(OSprite* sprite, const OWaypoint&) {
  if (play_) play_->Arrived(sprite);
}

}  // namespace tavlero
