#include "soak_run.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

#include "app/main_window.h"
#include "app/working_folder.h"
#include "engine/kind_engines.h"
#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/cell_codes.h"
#include "game/dice_rules.h"
#include "platform/fake_text_renderer.h"
#include "platform/fake_window_system.h"
#include "platform/random.h"
#include "platform/services.h"
#include "platform/window_system.h"
#include "soak_checker.h"
#include "store/game_options.h"
#include "ui/dice_play.h"
#include "ui/game_screen.h"

namespace tavlero::tool {

namespace {

using platform::Event;
using platform::EventType;
namespace vk = platform::vk;

constexpr int kFrameMs = 30;
constexpr int kWindowWidth = 800, kWindowHeight = 600;

// How the random player spends its time: watching the demonstration, poking at
// anything, or playing the human's side.
enum class Mode { kWatch, kPoke, kPlay };

// Keys a player might press anywhere; the ones that close or open screens come twice.
constexpr int kKeys[] = {vk::kEscape, vk::kEscape, vk::kReturn, vk::kReturn, vk::kF1,    vk::kF1,
                         vk::kF2,     vk::kF3,     vk::kBack,   vk::kTab,    vk::kSpace, vk::kLeft,
                         vk::kUp,     vk::kRight,  vk::kDown,   vk::kPageUp, vk::kPageDown, vk::kHome,
                         vk::kEnd,    vk::kDelete, vk::kInsert, vk::kShift,  vk::kControl, 'A',
                         'N',         'Z',         '1',         '5'};

class SoakRun {
 public:
  explicit SoakRun(const SoakSettings& settings) : settings_(settings), random_(settings.seed) {}
  SoakOutcome Run();

 private:
  // The folder and the program.
  bool EnterFolder(std::string& error);
  // Picks the players, who begins, the level and Autosave.
  void ChooseSettings(GameOptions& options);
  void LeaveFolder();
  bool StartProgram();
  void StopProgram();
  OGameScreen& Game() const { return *window_->Game(); }
  bool BoardUp() const { return window_->CurrentScreen() == window_->Game(); }

  // Input and ticks, each followed by the checks.
  void Send(const Event& event);
  void Tick();
  void Observe();
  void Mouse(EventType type, int x, int y);
  void MouseTo(int x, int y);
  void Press(int x, int y);
  void Release(int x, int y);
  void Click(int x, int y);
  void Key(int key, int character = 0);
  void ClickControl(const OScreen& screen, const OControl& control);
  void ClickCell(BoardCell cell);
  void ClickBoard();

  // The random player.
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  void Act();
  void NextMode();
  void Watch();
  void Play();
  void RandomAction();
  void PlayHumanTurn();
  void PlayBoardTurn();
  void PlayDiceTurn();

  void PutFault();

  SoakSettings settings_;
  std::mt19937 random_;
  platform::FakeWindowSystem desktop_;
  platform::FakeTextRenderer text_;
  std::unique_ptr<platform::ScopedServices> services_;
  std::unique_ptr<OMainWindow> window_;
  SoakChecker checker_;
  std::string folder_, previousFolder_;
  SoakOutcome outcome_;
  long frame_ = 0;
  bool stopped_ = false;
  bool faultPut_ = false;

  Mode mode_ = Mode::kWatch;
  long modeFramesLeft_ = 0;
  int framesOffBoard_ = 0;
  int framesWaited_ = 0;
  int dragFramesLeft_ = -1;  // a drag by the top rows is released when this reaches 0
};

// ---------------------------------------------------------------------------------------
// The folder and the program

bool SoakRun::EnterFolder(std::string& error) {
  std::error_code code;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(code);
  std::string pattern = (code ? std::string("/tmp") : temp.string()) + "/tavlero-soak-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    error = "cannot make a working folder from " + pattern;
    return false;
  }
  folder_ = pattern;
  if (!PrepareWorkingFolder(folder_, TAVLERO_DATA_DIR, error)) return false;
  char here[4096] = {};
  previousFolder_ = ::getcwd(here, sizeof here) ? here : "/";
  if (::chdir(folder_.c_str()) != 0) {
    error = "cannot enter " + folder_;
    return false;
  }
  // The board opens on the kind, with players and a level the seed picks, and with
  // Autosave on so that closing and starting again goes through the saved game.
  GameOptions options;
  options.Reset();
  options.gameKind = settings_.kind;
  options.music = 0;
  options.score = 0;
  ChooseSettings(options);
  options.autosave = 1;
  if (!SaveGameOptions(kOptionsFileName, options)) {
    error = "cannot write the options in " + folder_;
    return false;
  }
  return true;
}

void SoakRun::ChooseSettings(GameOptions& options) {
  options.level = Below(3);
  options.twoPlayers = Chance(25);
  options.computerFirst = Chance(50);
  options.autosave = Chance(85) ? 1 : 0;
}

void SoakRun::LeaveFolder() {
  if (folder_.empty()) return;
  if (!previousFolder_.empty() && ::chdir(previousFolder_.c_str()) != 0) (void)::chdir("/");
  std::error_code ignored;
  // The data entries are links: removing the folder removes the links, not the data.
  std::filesystem::remove_all(folder_, ignored);
  folder_.clear();
}

bool SoakRun::StartProgram() {
  window_ = std::make_unique<OMainWindow>();
  window_->SetBackgroundColour(0x000000);
  window_->SetNoCaption(true);
  window_->SetNoSizingBorder(true);
  window_->SetFrameInterval(kFrameMs);
  if (!window_->Create("Tavlero", "OMainWindow", kWindowWidth, kWindowHeight, 1)) return false;
  window_->ShowAndUpdate();
  // A click takes the intro away and shows the board.
  Click(200, 200);
  return true;
}

void SoakRun::StopProgram() {
  if (!window_) return;
  window_->OnDestroy();
  window_.reset();
}

// ---------------------------------------------------------------------------------------
// Input and ticks

void SoakRun::Observe() {
  if (stopped_ || checker_.Observe(*window_)) return;
  stopped_ = true;
  outcome_.broken = checker_.Broken();
}

void SoakRun::Send(const Event& event) {
  if (stopped_ || !window_) return;
  window_->Dispatch(event);
  Observe();
  if (stopped_ || desktop_.HasWindow()) return;
  // The input closed the program (the exit button, Alt+F4): the player starts it again.
  checker_.ProgramRestarting(*window_);
  StopProgram();
  ++outcome_.restarts;
  dragFramesLeft_ = -1;
  // Between two sessions the player may have chosen other settings (the players, who
  // begins, the level, Autosave), which the dialogs reach only rarely by chance.
  GameOptions options;
  if (LoadGameOptions(kOptionsFileName, options)) {
    ChooseSettings(options);
    SaveGameOptions(kOptionsFileName, options);
  }
  if (!StartProgram()) {
    stopped_ = true;
    outcome_.broken = "the program could not be started again";
  }
}

void SoakRun::Tick() {
  if (stopped_) return;
  desktop_.AdvanceClock(kFrameMs);
  window_->OnFrame(kFrameMs);
  Observe();
}

void SoakRun::Mouse(EventType type, int x, int y) {
  Event event;
  event.type = type;
  event.x = x;
  event.y = y;
  Send(event);
}

void SoakRun::MouseTo(int x, int y) {
  desktop_.cursorX = x;
  desktop_.cursorY = y;
  Mouse(EventType::kMouseMove, x, y);
}

void SoakRun::Press(int x, int y) { Mouse(EventType::kLButtonDown, x, y); }

void SoakRun::Release(int x, int y) { Mouse(EventType::kLButtonUp, x, y); }

void SoakRun::Click(int x, int y) {
  MouseTo(x, y);
  Press(x, y);
  Release(x, y);
}

void SoakRun::Key(int key, int character) {
  Event event;
  event.type = EventType::kKeyDown;
  event.key = key;
  Send(event);
  if (character != 0) {
    Event typed;
    typed.type = EventType::kChar;
    typed.character = character;
    Send(typed);
  }
  event.type = EventType::kKeyUp;
  Send(event);
}

void SoakRun::ClickControl(const OScreen& screen, const OControl& control) {
  const int width = std::max(control.width, 1), height = std::max(control.height, 1);
  Click(screen.X() + static_cast<int>(control.x) + Below(width), screen.Y() + static_cast<int>(control.y) + Below(height));
}

void SoakRun::ClickCell(BoardCell cell) {
  const OGameScreen& game = Game();
  const int kind = game.Kind();
  const ScreenPoint corner = CellScreenPoint(kind, game.Engine()->boardSize, cell.column, cell.row);
  // The middle of the cell's piece picture.
  const int halfWidth = kind == 2 ? 20 : (kind == 4 ? 18 : 35);
  const int halfHeight = kind == 2 ? 20 : (kind == 4 ? 20 : 35);
  Click(corner.x + halfWidth, corner.y + halfHeight);
}

void SoakRun::ClickBoard() { Click(20 + Below(560), 20 + Below(560)); }

// ---------------------------------------------------------------------------------------
// The random player

void SoakRun::NextMode() {
  switch (mode_) {
    case Mode::kWatch:
      mode_ = Mode::kPoke;
      modeFramesLeft_ = 10 + Below(110);
      break;
    case Mode::kPoke:
    case Mode::kPlay:
      if (mode_ == Mode::kPoke && Chance(50)) {
        mode_ = Mode::kPlay;
        modeFramesLeft_ = 100 + Below(600);
      } else {
        mode_ = Mode::kWatch;
        modeFramesLeft_ = 150 + Below(750);
      }
      break;
  }
  framesWaited_ = 0;
}

void SoakRun::Act() {
  if (dragFramesLeft_ >= 0 && dragFramesLeft_-- == 0) {
    Release(desktop_.cursorX, desktop_.cursorY);
  }
  if (--modeFramesLeft_ <= 0) NextMode();
  if (stopped_) return;
  // A game selection may have put another kind on the board; the player picks the
  // soaked kind again, as the game selection dialog does.
  OGameScreen& game = Game();
  if (BoardUp() && game.Kind() != settings_.kind && !game.DemoRunning() && !game.busy) {
    game.SwitchGame(settings_.kind, false);
    Observe();
    return;
  }
  switch (mode_) {
    case Mode::kWatch: Watch(); break;
    case Mode::kPoke:
      if (Chance(35)) RandomAction();
      break;
    case Mode::kPlay: Play(); break;
  }
}

void SoakRun::Watch() {
  if (!BoardUp()) {
    // A dialog or the help window left open: closed after a while.
    if (++framesOffBoard_ > 40) {
      framesOffBoard_ = 0;
      Key(vk::kEscape);
    }
    return;
  }
  framesOffBoard_ = 0;
  const OGameScreen& game = Game();
  if (game.DemoRunning()) return;
  if (game.BannerShown()) {
    ClickBoard();  // the end-of-game dialog, closed later by the rule above
    return;
  }
  if (game.busy || ++framesWaited_ < 15) return;
  framesWaited_ = 0;
  ClickControl(game, *game.DemoButton());
}

void SoakRun::Play() {
  if (!BoardUp()) {
    Key(Chance(50) ? vk::kReturn : vk::kEscape);
    return;
  }
  const OGameScreen& game = Game();
  if (game.DemoRunning()) {
    ClickBoard();  // stops it
    return;
  }
  if (game.BannerShown()) {
    ClickBoard();
    return;
  }
  // A human takes a few frames over each click.
  if (game.busy || ++framesWaited_ < 4) return;
  framesWaited_ = 0;
  if (game.UndoButton()->visible && Chance(8)) {
    ClickControl(game, *game.UndoButton());
  } else if (Chance(5)) {
    ClickBoard();
  } else {
    PlayHumanTurn();
  }
}

void SoakRun::RandomAction() {
  const OScreen* screen = window_->CurrentScreen();
  const int roll = Below(1000);
  if (roll < 280) {
    Click(Below(kWindowWidth), Below(kWindowHeight));
  } else if (roll < 500) {
    std::vector<const OControl*> shown;
    if (screen) {
      for (const OControl* control : screen->Controls())
        if (control->visible) shown.push_back(control);
    }
    if (!shown.empty()) ClickControl(*screen, *shown[Below(static_cast<int>(shown.size()))]);
  } else if (roll < 570) {
    ClickBoard();
  } else if (roll < 620) {
    MouseTo(Below(kWindowWidth), Below(kWindowHeight));
  } else if (roll < 820) {
    const int key = kKeys[Below(static_cast<int>(std::size(kKeys)))];
    Key(key, key >= 'A' && key <= 'Z' ? key + ('a' - 'A') : 0);
  } else if (roll < 850) {
    // Typing: letters and CP1251 Cyrillic bytes, for the name fields.
    Key('A' + Below(26), Chance(50) ? 'a' + Below(26) : -64 + Below(64));
  } else if (roll < 870) {
    // Dragging the window by the top rows, released a few frames later.
    if (dragFramesLeft_ < 0) {
      MouseTo(Below(kWindowWidth), Below(10));
      Press(desktop_.cursorX, desktop_.cursorY);
      desktop_.cursorX = Below(kWindowWidth);
      desktop_.cursorY = Below(kWindowHeight);
      dragFramesLeft_ = 1 + Below(10);
    }
  } else if (roll < 890) {
    Mouse(Chance(50) ? EventType::kRButtonDown : EventType::kRButtonUp, Below(kWindowWidth), Below(kWindowHeight));
  } else if (roll < 920) {
    Event paint;
    paint.type = EventType::kPaint;
    Send(paint);
  } else if (roll < 950) {
    // A double click: two clicks between two frames.
    const int x = Below(kBoardAreaWidth), y = 11 + Below(kWindowHeight - 11);
    Click(x, y);
    Click(x, y);
  } else if (roll < 965) {
    Event event;
    event.type = Chance(50) ? EventType::kActivate : EventType::kSize;
    Send(event);
  } else if (roll < 985) {
    // Pasting into a name field.
    desktop_.clipboard = Chance(50) ? std::string("Player") : std::string(120, 'x');
    desktop_.modifiers = platform::modifier::kCtrl;
    Key('V');
    desktop_.modifiers = 0;
  } else if (roll < 990) {
    // Alt+F4 closes the program; the player starts it again.
    Event event;
    event.type = EventType::kSysKeyDown;
    event.key = vk::kF4;
    Send(event);
  } else {
    Event event;
    event.type = EventType::kSysKeyDown;
    event.key = Chance(50) ? vk::kAlt : vk::kF10;
    Send(event);
    event.type = EventType::kSysKeyUp;
    Send(event);
  }
}

void SoakRun::PlayHumanTurn() {
  if (Game().Kind() == kSoakDiceKind) {
    PlayDiceTurn();
  } else {
    PlayBoardTurn();
  }
}

void SoakRun::PlayBoardTurn() {
  const OGameScreen& game = Game();
  const SearchEngine* board = game.Engine();
  const int kind = game.Kind();
  if (!board || (game.OneHuman() && board->player != -1)) return;
  const int n = board->boardSize, mover = board->player;
  if (kind == 2 || kind == 4) {
    std::vector<int> empty;
    for (int i = 0; i < board->totalCells && i < kMaxCells; ++i)
      if (board->cells[i] == kEmptyCell) empty.push_back(i);
    if (!empty.empty()) ClickCell(CellOfIndex(kind, n, empty[Below(static_cast<int>(empty.size()))]));
    return;
  }
  // A legal move found apart from the screen, made by its clicks.
  std::unique_ptr<SearchEngine> scratch = StartKindEngine(kind);
  scratch->CopyPosition(board->cells);
  scratch->player = mover;
  if (scratch->GenerateSuccessors() == 0) return;
  const SearchEngine& chosen = *scratch->successors[Below(static_cast<int>(scratch->successors.size()))];
  BoardCell from, to;
  for (int i = 0; i < kMaxCells; ++i) {
    const bool had = BelongsTo(board->cells[i], mover) && !IsCaptureMark(board->cells[i]);
    const bool has = BelongsTo(chosen.cells[i], mover) && !IsCaptureMark(chosen.cells[i]);
    if (kind == 1) {
      if (board->cells[i] == kEmptyCell && chosen.cells[i] != kEmptyCell) to = CellOfIndex(kind, n, i);
    } else if (had && !has) {
      from = CellOfIndex(kind, n, i);
    } else if (has && !had) {
      to = CellOfIndex(kind, n, i);
    }
  }
  // A flying king's capture that comes back to its square: the king is clicked twice.
  if (kind != 1 && !from.Valid() && !to.Valid() && !chosen.path.empty())
    from = to = CellOfIndex(kind, n, chosen.path.back());
  if (!to.Valid()) return;
  if (from.Valid()) ClickCell(from);
  if (!stopped_) ClickCell(to);
}

void SoakRun::PlayDiceTurn() {
  const OGameScreen& game = Game();
  const auto* play = dynamic_cast<const DicePlay*>(game.Play());
  const DiceEngine* dice = game.Dice();
  if (!play || !dice || (game.OneHuman() && dice->player != -1)) return;
  if (play->WaitingForThrow()) {
    ClickBoard();
    return;
  }
  if (play->Rolling()) return;
  std::vector<std::pair<int, int>> steps;
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    for (const int to : DiceDestinations(*dice, point)) steps.push_back({point, to});
  }
  if (steps.empty()) return;
  const auto [from, to] = steps[Below(static_cast<int>(steps.size()))];
  const DiceScreenPoint top = DiceStackPlace(from, std::max(play->Drawn()[from] - 1, 0));
  const DiceScreenPoint place = DiceStackPlace(to, std::max(play->Drawn()[to] - (to == from ? 1 : 0), 0));
  Click(top.x + 20, top.y + 16);
  if (!stopped_) Click(place.x + 20, place.y + 16);
}

// ---------------------------------------------------------------------------------------
// A fault on purpose

void SoakRun::PutFault() {
  if (faultPut_ || settings_.fault.empty() || frame_ < settings_.frames / 2) return;
  OGameScreen& game = Game();
  if (!BoardUp() || game.busy || game.Kind() != settings_.kind || !game.Play()) return;
  faultPut_ = true;
  if (settings_.fault == "history") {
    // A number is taken without a position stored under it.
    game.history.current = ++game.history.latest;
  } else if (settings_.fault == "mirror") {
    const void* pictures[11] = {};
    for (int i = 0; i < 11; ++i) pictures[i] = PixelsOf(game.PiecePicture(i));
    for (OSprite* sprite : game.Sprites()) {
      if (std::find(std::begin(pictures), std::end(pictures), PixelsOf(sprite)) == std::end(pictures)) continue;
      sprite->x += 9;
      break;
    }
  } else if (settings_.fault == "rules") {
    // A piece of the side that just moved disappears without a move.
    if (DiceEngine* dice = game.Dice(); game.Kind() == kSoakDiceKind && dice) {
      for (int& count : dice->points) {
        if (count > 0) {
          ++count;
          break;
        }
      }
    } else if (SearchEngine* engine = game.Engine()) {
      for (int i = 0; i < engine->totalCells && i < kMaxCells; ++i) {
        if (BelongsTo(engine->cells[i], -engine->player)) {
          engine->cells[i] = kEmptyCell;
          break;
        }
      }
    }
    game.Play()->ShowPosition();
  }
  Observe();
}

// ---------------------------------------------------------------------------------------
// The run

SoakOutcome SoakRun::Run() {
  std::string error;
  if (!EnterFolder(error)) {
    LeaveFolder();
    outcome_.setupError = error;
    return outcome_;
  }
  SeedRand(settings_.seed);
  services_ = std::make_unique<platform::ScopedServices>(platform::Services{&desktop_, &text_, nullptr});
  if (!StartProgram()) {
    outcome_.setupError = "the program could not be started (are the game's pictures in " TAVLERO_DATA_DIR "?)";
  } else {
    for (frame_ = 1; frame_ <= settings_.frames && !stopped_; ++frame_) {
      outcome_.frames = frame_;
      Act();
      PutFault();
      Tick();
    }
  }
  StopProgram();
  services_.reset();
  LeaveFolder();
  outcome_.moves = checker_.Moves();
  outcome_.games = checker_.Games();
  return outcome_;
}

}  // namespace

SoakOutcome RunSoak(const SoakSettings& settings) { return SoakRun(settings).Run(); }

}  // namespace tavlero::tool
