#include "soak_checker.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "app/main_window.h"
#include "engine/kind_engines.h"
#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/cell_codes.h"
#include "game/dice_rules.h"
#include "game/game_history.h"
#include "ui/dice_play.h"
#include "ui/game_screen.h"

namespace tavlero::tool {

namespace {

// A hand-edited history could claim any number of positions; the soak's never does.
constexpr int kMostStoredPositions = 100000;

std::string CellName(BoardCell cell) {
  std::string name = "(";  // built step by step: GCC 12 misreads "..." + std::string as an overlap
  name += std::to_string(cell.column);
  name += ", ";
  name += std::to_string(cell.row);
  name += ")";
  return name;
}

int Rounded(double value) { return static_cast<int>(std::lround(value)); }

const DicePlay* DicePlayOf(const OGameScreen& game) { return dynamic_cast<const DicePlay*>(game.Play()); }

// Some throw of two dice lets a whole turn lead from `from` to `to`.
bool SomeTurnLeads(const SoakPosition& from, const SoakPosition& to) {
  for (int first = 1; first <= DiceEngine::kMaxDie; ++first) {
    for (int second = first; second <= DiceEngine::kMaxDie; ++second) {
      if (DiceTurnEnds(from, DiceRoll{first, second}, to) || DiceTurnEnds(from, DiceRoll{second, first}, to))
        return true;
    }
  }
  return false;
}

}  // namespace

const void* PixelsOf(const OSprite* sprite) {
  if (!sprite || sprite->frames.empty() || !sprite->frames[0]) return nullptr;
  return sprite->frames[0]->Store();
}

// ---------------------------------------------------------------------------------------
// Looking at the program

SoakChecker::Look SoakChecker::LookAt(const OGameScreen& game) const {
  Look look;
  look.kind = game.Kind();
  if (look.kind == kSoakDiceKind) {
    const DicePlay* play = DicePlayOf(game);
    if (!game.Dice() || !play) return look;
    look.position = PositionOf(*game.Dice());
    look.shownDice = DiceRoll{play->Die(0)->currentFrame + 1, play->Die(1)->currentFrame + 1};
    look.busy = game.busy;
    // A checker on its way: the counts are between two states until it lands (the
    // throw itself moves nothing).
    look.inFlight = game.busy && !play->Rolling();
  } else {
    if (!game.Engine() || look.kind < 0 || look.kind >= kSoakDiceKind) return look;
    look.position = PositionOf(look.kind, *game.Engine());
    look.busy = game.busy;
  }
  look.demo = game.DemoRunning();
  look.oneHuman = game.OneHuman();
  look.autosave = game.options.autosave != 0;
  look.current = game.history.current;
  look.latest = game.history.latest;
  // Saving writes the latest number into the tree too; that stores no position.
  const OSettingsTree& tree = game.history.Tree();
  look.storedKeys = tree.Size() - (tree.Contains("PosNum") ? 1 : 0);
  look.valid = true;
  return look;
}

void SoakChecker::ReadHistory(const OGameScreen& game, Look& look) const {
  // Reads go to a copy: a read sets the tree's failed flag, and the game's tree is
  // the game's.
  OSettingsTree tree = game.history.Tree();
  const int last = std::clamp(look.latest, 0, kMostStoredPositions);
  look.entries.assign(last, SoakPosition{});
  look.present.assign(last, false);
  for (int number = 1; number <= last; ++number) {
    look.present[number - 1] = game.history.Has(number);
    if (!look.present[number - 1]) continue;
    const std::string prefix = GameHistory::Prefix(number);
    if (look.kind == kSoakDiceKind) {
      DiceEngine dice;
      dice.LoadState(tree, prefix);
      look.entries[number - 1] = PositionOf(dice);
    } else {
      std::unique_ptr<SearchEngine> engine = CreateKindEngine(look.kind);
      engine->LoadState(tree, prefix);
      look.entries[number - 1] = PositionOf(look.kind, *engine);
    }
  }
}

bool SoakChecker::HistoryMoved(const Look& look) const {
  return look.current != previous_.current || look.latest != previous_.latest ||
         look.storedKeys != previous_.storedKeys;
}

void SoakChecker::Fail(const std::string& what) {
  if (broken_.empty()) broken_ = what;
}

bool SoakChecker::Observe(OMainWindow& window) {
  if (!broken_.empty()) return false;
  const OGameScreen* game = window.Game();
  if (!game || !window.BoardShown()) return true;
  Look now = LookAt(*game);
  if (!now.valid) {
    previous_.valid = false;
    return true;
  }
  // The counts are looked at again once the checker has landed.
  if (now.inFlight) return true;
  const bool era = !previous_.valid || previous_.kind != now.kind || restarting_;
  const bool historyMoved = era || HistoryMoved(now);
  if (historyMoved) {
    ReadHistory(*game, now);
  } else {
    now.entries = std::move(previous_.entries);
    now.present = std::move(previous_.present);
  }

  if (era) {
    CheckFreshStart(now);
  } else if (now.demo || previous_.demo) {
    CheckDemo(now);
  } else {
    CheckGameStep(now);
  }
  if (historyMoved) CheckHistory(now);
  if (!now.busy || (now.kind == kSoakDiceKind && !now.inFlight)) CheckMirror(*game, now);

  previous_ = std::move(now);
  restarting_ = false;
  return broken_.empty();
}

void SoakChecker::ProgramRestarting(OMainWindow& window) {
  restarting_ = true;
  beforeRestart_ = Look{};
  const OGameScreen* game = window.Game();
  if (!game || !window.BoardShown()) return;
  beforeRestart_ = LookAt(*game);
  if (!beforeRestart_.valid) return;
  ReadHistory(*game, beforeRestart_);
  const SoakPosition& position = beforeRestart_.position;
  const bool over = position.kind == kSoakDiceKind
                        ? game->Dice() && DiceWinner(*game->Dice()) != kDiceNoWinner
                        : BoardGameOver(position);
  beforeRestart_.finished = over || game->gameOver || game->BannerShown() || game->winner != 0;
}

// ---------------------------------------------------------------------------------------
// Changes of the position

std::vector<SoakPosition> SoakChecker::Anchors(const Look& now) const {
  std::vector<SoakPosition> anchors;
  if (now.current >= 1 && now.current <= static_cast<int>(now.entries.size()) && now.present[now.current - 1])
    anchors.push_back(now.entries[now.current - 1]);
  if (now.current <= 1) {
    anchors.push_back(StartOf(now.kind, 1));
    anchors.push_back(StartOf(now.kind, -1));
  }
  return anchors;
}

bool SoakChecker::BackTo(const std::vector<SoakPosition>& anchors, const Look& now) {
  for (const SoakPosition& anchor : anchors) {
    const bool start = anchor == StartOf(now.kind, anchor.player) && now.current <= 1;
    int moves = -1;
    if (now.kind == kSoakDiceKind) {
      moves = anchor == now.position ? 0 : -1;
    } else {
      moves = MovesBetween(anchor, now.position, 2);
    }
    if (moves < 0) continue;
    moves_ += moves;
    if (start && !(previous_.valid && previous_.position == now.position)) ++games_;
    turnOrigin_ = now.position;
    return true;
  }
  return false;
}

bool SoakChecker::LegalStep(const Look& now) {
  if (now.kind != kSoakDiceKind) {
    const int moves = MovesBetween(previous_.position, now.position, 2);
    if (moves < 0) return false;
    moves_ += moves;
    return true;
  }
  const DiceRoll roll = now.shownDice;
  if (now.position.player == turnOrigin_.player && DiceStepsReach(turnOrigin_, roll, now.position)) return true;
  if (!DiceTurnEnds(turnOrigin_, roll, now.position)) return false;
  if (now.demo && turnOrigin_.player == -1 &&
      (roll.dice1 == roll.dice2 || std::max(roll.dice1, roll.dice2) > 3 || std::min(roll.dice1, roll.dice2) < 1)) {
    Fail("rules: the demonstration threw " + std::to_string(roll.dice1) + "-" + std::to_string(roll.dice2) +
         " for side -1, which throws two different dice of 1 to 3");
  }
  ++moves_;
  turnOrigin_ = now.position;
  return true;
}

void SoakChecker::CheckFreshStart(const Look& now) {
  if (restarting_ && beforeRestart_.valid && beforeRestart_.kind == now.kind && beforeRestart_.autosave &&
      now.autosave && !beforeRestart_.finished && beforeRestart_.latest >= 1) {
    // The game goes on where it stopped; when the computer was to move it may have
    // answered at once, which is stored after the saved positions.
    const int latest = beforeRestart_.latest;
    const bool same = (now.latest == latest || now.latest == latest + 1) &&
                      std::equal(beforeRestart_.entries.begin(), beforeRestart_.entries.end(), now.entries.begin());
    if (!same) {
      Fail("history: the saved game of " + std::to_string(latest) + " positions came back with " +
           std::to_string(now.latest) + " (or other ones) when the program started again");
      return;
    }
  }
  if (now.demo) {
    turnOrigin_ = now.position;
    return;
  }
  if (!BackTo(Anchors(now), now)) {
    Fail("rules: the board opened on a position that is neither stored position " + std::to_string(now.current) +
         " nor a start (" + DescribeChange(StartOf(now.kind, now.position.player), now.position) + ")");
  }
}

void SoakChecker::CheckDemo(const Look& now) {
  const Look& was = previous_;
  const SoakPosition demoStart = DemoStartOf(now.kind);
  if (!was.demo) {
    // The disc game keeps the computer's last answer as the demonstration begins.
    const bool answerKept = now.kind == 1 && now.latest == was.latest + 1 && now.current == now.latest;
    if (now.position != demoStart) {
      Fail("rules: the demonstration began away from the start (" + DescribeChange(demoStart, now.position) + ")");
    } else if (HistoryMoved(now) && !answerKept) {
      Fail("history: positions were stored as the demonstration began (" + std::to_string(was.latest) + " -> " +
           std::to_string(now.latest) + ")");
    }
    ++games_;
    turnOrigin_ = now.position;
    return;
  }
  if (now.demo) {
    // Between two demonstration games the real game comes back for a moment; with
    // nothing stored it is a new game, whose opening move may be stored.
    const bool newGameOpened = was.latest == 0 && now.latest <= 1;
    if (HistoryMoved(now) && !newGameOpened) {
      Fail("history: a position was stored during the demonstration (" + std::to_string(was.current) + "/" +
           std::to_string(was.latest) + " -> " + std::to_string(now.current) + "/" + std::to_string(now.latest) + ")");
      return;
    }
    if (now.position == was.position) return;
    if (now.position == demoStart) {
      ++games_;
      turnOrigin_ = now.position;
      return;
    }
    if (!LegalStep(now))
      Fail("rules: the demonstration made a move the rules do not allow (" + DescribeChange(was.position, now.position) +
           ")");
    return;
  }
  // Stopped: the real game comes back as last stored.
  if (now.current != now.latest) {
    Fail("history: the demonstration stopped with the board on position " + std::to_string(now.current) +
         ", not the latest " + std::to_string(now.latest));
    return;
  }
  if (!BackTo(Anchors(now), now)) {
    Fail("rules: stopping the demonstration did not bring back stored position " + std::to_string(now.current) +
         " (" + DescribeChange(was.position, now.position) + ")");
  }
}

void SoakChecker::CheckGameStep(const Look& now) {
  const Look& was = previous_;
  if (now.current > was.current && now.current >= 1 && now.current <= static_cast<int>(now.entries.size()) &&
      now.entries[now.current - 1] != now.position) {
    Fail("history: the position stored as " + std::to_string(now.current) + " is not the one on the board (" +
         DescribeChange(now.entries[now.current - 1], now.position) + ")");
    return;
  }
  if (now.position == was.position) return;
  if (LegalStep(now)) return;
  // Undo, a new game, a restored game: the history went back or started afresh.
  const bool wentBack = now.current < was.current || now.latest < was.latest || now.storedKeys < was.storedKeys ||
                        now.current <= 1;
  if (wentBack && BackTo(Anchors(now), now)) return;
  Fail("rules: the board went to a position the rules do not allow (" + DescribeChange(was.position, now.position) +
       (now.kind == kSoakDiceKind ? ", dice " + std::to_string(now.shownDice.dice1) + "-" +
                                        std::to_string(now.shownDice.dice2) + " from the turn's start " +
                                        DescribeChange(turnOrigin_, now.position)
                                  : std::string()) +
       ")");
}

// ---------------------------------------------------------------------------------------
// The history's numbering

void SoakChecker::CheckHistory(const Look& now) {
  if (!broken_.empty()) return;
  if (now.current < 0 || now.current > now.latest) {
    Fail("history: the board shows position " + std::to_string(now.current) + " of 0 ... " +
         std::to_string(now.latest));
    return;
  }
  for (int number = 1; number <= static_cast<int>(now.entries.size()); ++number) {
    if (!now.present[number - 1]) {
      Fail("history: position " + std::to_string(number) + " of " + std::to_string(now.latest) + " is missing");
      return;
    }
  }
  const bool dice = now.kind == kSoakDiceKind;
  for (int number = 1; number <= static_cast<int>(now.entries.size()); ++number) {
    const int at = number - 1;
    const bool known = at < static_cast<int>(checkedEntries_.size()) && checkedEntries_[at] == now.entries[at] &&
                       (at == 0 || checkedEntries_[at - 1] == now.entries[at - 1]);
    if (known) continue;
    const SoakPosition& after = now.entries[at];
    bool follows = false;
    if (number == 1) {
      // The first stored position is the first move of a game either side began.
      for (const int side : {1, -1}) {
        const SoakPosition start = StartOf(now.kind, side);
        follows = follows || (dice ? SomeTurnLeads(start, after) : MovesBetween(start, after, 1) == 1);
      }
    } else {
      const SoakPosition& before = now.entries[at - 1];
      // The disc game stores the computer's answer late: while the human has to pass,
      // the computer may have put down any number of discs.
      const int most = now.kind == 1 ? static_cast<int>(after.cells.size()) : 1;
      follows = after.player == -before.player || (dice && after.player == before.player);
      follows = follows && (dice ? SomeTurnLeads(before, after) : MovesBetween(before, after, most) >= 0);
    }
    if (!follows) {
      Fail("history: stored position " + std::to_string(number) + " is not one move after " +
           (number == 1 ? std::string("the start") : "position " + std::to_string(number - 1)) + " (" +
           DescribeChange(number == 1 ? StartOf(now.kind, after.player) : now.entries[at - 1], after) + ")");
      return;
    }
  }
  checkedEntries_ = now.entries;
}

// ---------------------------------------------------------------------------------------
// The sprite mirror

void SoakChecker::CheckMirror(const OGameScreen& game, const Look& now) {
  if (!broken_.empty()) return;
  if (now.kind == kSoakDiceKind) {
    CheckDiceMirror(game, now);
  } else {
    CheckBoardMirror(game, now);
  }
}

void SoakChecker::CheckBoardMirror(const OGameScreen& game, const Look& now) {
  const SearchEngine& engine = *game.Engine();
  const int kind = now.kind, n = engine.boardSize;
  std::set<const void*> piecePixels;
  for (int picture = 0; picture <= 10; ++picture) piecePixels.insert(PixelsOf(game.PiecePicture(picture)));
  piecePixels.erase(nullptr);
  const auto& sprites = game.Sprites();
  const std::set<const OSprite*> onScreen(sprites.begin(), sprites.end());
  int pieces = 0;
  for (int index = 0; index < static_cast<int>(now.position.cells.size()); ++index) {
    const int code = now.position.cells[index];
    const BoardCell cell = CellOfIndex(kind, n, index);
    const OSprite* sprite = game.PieceSprite(cell);
    if (code == kEmptyCell || IsCaptureMark(code)) {
      if (sprite) return Fail("mirror: a piece is drawn on the empty cell " + CellName(cell));
      continue;
    }
    ++pieces;
    if (!sprite) return Fail("mirror: the piece on cell " + CellName(cell) + " is not drawn");
    if (!onScreen.count(sprite) || !sprite->visible)
      return Fail("mirror: the piece on cell " + CellName(cell) + " has a sprite that is not shown");
    const ScreenPoint point = CellScreenPoint(kind, n, cell.column, cell.row);
    if (Rounded(sprite->x) != point.x || Rounded(sprite->y) != point.y) {
      return Fail("mirror: the piece on cell " + CellName(cell) + " is drawn at (" + std::to_string(Rounded(sprite->x)) +
                  ", " + std::to_string(Rounded(sprite->y)) + "), not (" + std::to_string(point.x) + ", " +
                  std::to_string(point.y) + ")");
    }
    if (PixelsOf(sprite) != PixelsOf(game.PiecePicture(game.PictureOfCode(code))))
      return Fail("mirror: the piece " + std::to_string(code) + " on cell " + CellName(cell) + " has another picture");
    if (kind == 1 && sprite->currentFrame != (code > 0 ? 0 : 1))
      return Fail("mirror: the disc on cell " + CellName(cell) + " shows the other side's colour");
  }
  int drawn = 0;
  for (const OSprite* sprite : sprites) drawn += piecePixels.count(PixelsOf(sprite)) ? 1 : 0;
  if (drawn != pieces) {
    Fail("mirror: " + std::to_string(drawn) + " piece sprites are on the screen for " + std::to_string(pieces) +
         " pieces");
  }
}

void SoakChecker::CheckDiceMirror(const OGameScreen& game, const Look& now) {
  const DicePlay* play = DicePlayOf(game);
  if (!play) return;
  const void* plusPixels = PixelsOf(game.PiecePicture(8));
  const void* minusPixels = PixelsOf(game.PiecePicture(9));
  // Checkers drawn: (x, y, side) of every sprite of a checker picture.
  std::multiset<std::tuple<int, int, int>> drawn;
  for (const OSprite* sprite : game.Sprites()) {
    const void* pixels = PixelsOf(sprite);
    if (pixels == nullptr || (pixels != plusPixels && pixels != minusPixels)) continue;
    drawn.insert({Rounded(sprite->x), Rounded(sprite->y), pixels == plusPixels ? 1 : -1});
  }
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    const int count = now.position.cells[point];
    const int side = count > 0 ? 1 : -1;
    if (play->Drawn()[point] != std::abs(count)) {
      return Fail("mirror: point " + std::to_string(point) + " counts " + std::to_string(play->Drawn()[point]) +
                  " checkers drawn for " + std::to_string(std::abs(count)));
    }
    for (int k = 0; k < std::abs(count); ++k) {
      const DiceScreenPoint place = DiceStackPlace(point, k);
      const auto found = drawn.find({place.x, place.y, side});
      if (found == drawn.end()) {
        return Fail("mirror: checker " + std::to_string(k + 1) + " of side " + std::to_string(side) + " on point " +
                    std::to_string(point) + " is not drawn at (" + std::to_string(place.x) + ", " +
                    std::to_string(place.y) + ")");
      }
      drawn.erase(found);
    }
  }
  if (!drawn.empty()) {
    const auto& [x, y, side] = *drawn.begin();
    Fail("mirror: " + std::to_string(drawn.size()) + " checker sprites too many, one of side " + std::to_string(side) +
         " at (" + std::to_string(x) + ", " + std::to_string(y) + ")");
  }
}

}  // namespace tavlero::tool
