#include "soak_rules.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>

#include "engine/kind_engines.h"
#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/cell_codes.h"
#include "game/game_end.h"
#include "game/opening.h"

namespace tavlero::tool {

namespace {

bool PlacesStones(int kind) { return kind == 2 || kind == 4; }

std::unique_ptr<SearchEngine> EngineAt(const SoakPosition& position) {
  std::unique_ptr<SearchEngine> engine = StartKindEngine(position.kind);
  if (!engine) return nullptr;
  int cells[kMaxCells] = {};
  std::copy_n(position.cells.begin(), std::min<std::size_t>(position.cells.size(), kMaxCells), cells);
  engine->CopyPosition(cells);
  engine->player = position.player;
  engine->depth = 0;
  return engine;
}

// Every position one move away (the disc game's pass included).
std::vector<SoakPosition> NextPositions(const SoakPosition& from) {
  std::vector<SoakPosition> next;
  std::unique_ptr<SearchEngine> engine = EngineAt(from);
  if (!engine || CheckGameEnd(from.kind, *engine, false).over) return next;
  engine->GenerateSuccessors();
  for (const auto& successor : engine->successors) {
    SoakPosition after = PositionOf(from.kind, *successor);
    after.player = -from.player;
    next.push_back(std::move(after));
  }
  if (next.empty() && from.kind == 1) {
    SoakPosition pass = from;
    pass.player = -from.player;
    next.push_back(std::move(pass));
  }
  return next;
}

// The stone boards: stones of alternating sides (the side to move first) on cells
// that were empty, nothing else changed, and no stone once the game is over; at most
// two stones (a move and the answer), which is all the checks ever ask about.
int StonesBetween(const SoakPosition& from, const SoakPosition& to, int maxMoves) {
  if (from.cells.size() != to.cells.size()) return -1;
  std::vector<int> placed;
  for (std::size_t i = 0; i < from.cells.size(); ++i) {
    if (from.cells[i] == to.cells[i]) continue;
    if (from.cells[i] != 0 || std::abs(to.cells[i]) != 1) return -1;
    placed.push_back(static_cast<int>(i));
  }
  const int count = static_cast<int>(placed.size());
  if (count > maxMoves || count > 2) return -1;
  if (to.player != (count % 2 == 1 ? -from.player : from.player)) return -1;
  if (count == 0) return 0;
  int moverStones = 0;
  for (const int cell : placed) moverStones += to.cells[cell] == from.player ? 1 : 0;
  if (moverStones != (count + 1) / 2) return -1;
  if (BoardGameOver(from)) return -1;
  if (count == 2) {
    SoakPosition middle = from;
    for (const int cell : placed) {
      if (to.cells[cell] == from.player) middle.cells[cell] = from.player;
    }
    middle.player = -from.player;
    if (BoardGameOver(middle)) return -1;
  }
  return count;
}

// The disc game: every move puts one more disc down, and a side without a move passes
// (the only thing it can do), so the discs to add bound the search, and a position
// whose discs are not all where `to` has discs leads nowhere.
int DiscsBetween(const SoakPosition& from, const SoakPosition& to, int maxMoves) {
  auto discs = [](const SoakPosition& position) {
    return static_cast<int>(std::count_if(position.cells.begin(), position.cells.end(), [](int c) { return c != 0; }));
  };
  const int placed = discs(to) - discs(from);
  if (from.cells.size() != to.cells.size() || placed < 0 || placed > maxMoves) return -1;
  std::set<std::pair<std::vector<int>, int>> seen;
  std::vector<SoakPosition> open{from};
  while (!open.empty()) {
    const SoakPosition at = std::move(open.back());
    open.pop_back();
    if (at == to) return placed;
    if (!seen.insert({at.cells, at.player}).second) continue;
    for (SoakPosition& next : NextPositions(at)) {
      bool inside = true;
      for (std::size_t i = 0; i < next.cells.size() && inside; ++i) inside = next.cells[i] == 0 || to.cells[i] != 0;
      if (inside) open.push_back(std::move(next));
    }
  }
  return -1;
}

bool ReachedWithin(const SoakPosition& from, const SoakPosition& to, int moves) {
  if (from == to) return true;
  if (moves == 0) return false;
  for (const SoakPosition& next : NextPositions(from)) {
    if (ReachedWithin(next, to, moves - 1)) return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------
// The dice game

DiceEngine DiceTurnStart(const SoakPosition& origin, DiceRoll roll) {
  DiceEngine engine;
  std::copy_n(origin.cells.begin(), std::min<std::size_t>(origin.cells.size(), DiceEngine::kPoints),
              engine.points.begin());
  engine.player = origin.player;
  StartDiceTurn(engine, roll);
  return engine;
}

std::vector<int> DiceStateKey(const DiceEngine& engine) {
  std::vector<int> key(engine.points.begin(), engine.points.end());
  key.insert(key.end(), {engine.player, engine.dice1, engine.dice2, engine.double_counter, engine.headAllowed});
  return key;
}

bool SamePoints(const DiceEngine& engine, const SoakPosition& position) {
  return position.cells.size() == DiceEngine::kPoints &&
         std::equal(engine.points.begin(), engine.points.end(), position.cells.begin());
}

// Visits every state a human's steps reach from `start` (start included), telling
// the visitor whether the turn ends there (no marked destination is left).
void VisitHumanSteps(const DiceEngine& start, const std::function<void(const DiceEngine&, bool)>& visit) {
  std::set<std::vector<int>> seen;
  std::vector<DiceEngine> open{start};
  while (!open.empty()) {
    const DiceEngine state = open.back();
    open.pop_back();
    if (!seen.insert(DiceStateKey(state)).second) continue;
    bool stepped = false;
    for (int point = 0; point < DiceEngine::kPoints; ++point) {
      for (const int to : DiceDestinations(state, point)) {
        DiceEngine after(state);
        if (!DiceStep(after, point, to)) continue;
        stepped = true;
        open.push_back(after);
      }
    }
    visit(state, !stepped);
  }
}

}  // namespace

int CarryingCells(int kind, int boardSize) {
  return UsesDarkSquares(kind) ? boardSize * boardSize / 2 : boardSize * boardSize;
}

SoakPosition PositionOf(int kind, const SearchEngine& engine) {
  SoakPosition position;
  position.kind = kind;
  const int count = std::clamp(CarryingCells(kind, engine.boardSize), 0, kMaxCells);
  position.cells.assign(engine.cells, engine.cells + count);
  // The pieces a flying king has jumped stay on as marks until the next move is
  // generated; they are no longer pieces.
  std::replace_if(position.cells.begin(), position.cells.end(), IsCaptureMark, kEmptyCell);
  position.player = engine.player;
  return position;
}

SoakPosition PositionOf(const DiceEngine& engine) {
  SoakPosition position;
  position.kind = kSoakDiceKind;
  position.cells.assign(engine.points.begin(), engine.points.end());
  position.player = engine.player;
  return position;
}

SoakPosition StartOf(int kind, int player) {
  SoakPosition position;
  if (kind == kSoakDiceKind) {
    DiceEngine dice;
    dice.SetStartPosition();
    position = PositionOf(dice);
  } else if (std::unique_ptr<SearchEngine> engine = StartKindEngine(kind)) {
    position = PositionOf(kind, *engine);
  }
  position.player = player;
  return position;
}

SoakPosition DemoStartOf(int kind) {
  if (kind != 2) return StartOf(kind, 1);
  std::unique_ptr<SearchEngine> engine = StartKindEngine(kind);
  PlaceCentreStone(*engine, -1);
  return PositionOf(kind, *engine);
}

std::string DescribeChange(const SoakPosition& from, const SoakPosition& to) {
  std::string text = "side ";  // built step by step: GCC 12 misreads "..." + std::string as an overlap
  text += std::to_string(from.player);
  text += " -> ";
  text += std::to_string(to.player);
  if (from.cells.size() != to.cells.size()) return text + ", another board";
  int shown = 0;
  for (std::size_t i = 0; i < to.cells.size(); ++i) {
    if (from.cells[i] == to.cells[i]) continue;
    if (++shown > 12) return text + " ...";
    text += ' ';
    text += std::to_string(i);
    text += ':';
    text += std::to_string(from.cells[i]);
    text += '>';
    text += std::to_string(to.cells[i]);
  }
  return text;
}

bool BoardGameOver(const SoakPosition& position) {
  std::unique_ptr<SearchEngine> engine = EngineAt(position);
  return engine && CheckGameEnd(position.kind, *engine, false).over;
}

int MovesBetween(const SoakPosition& from, const SoakPosition& to, int maxMoves) {
  if (from.kind != to.kind || from.kind < 0 || from.kind >= kSoakDiceKind) return -1;
  if (PlacesStones(from.kind)) return StonesBetween(from, to, maxMoves);
  if (from.kind == 1) return DiscsBetween(from, to, maxMoves);
  for (int moves = 0; moves <= maxMoves; ++moves) {
    if (ReachedWithin(from, to, moves)) return moves;
  }
  return -1;
}

bool DiceStepsReach(const SoakPosition& origin, DiceRoll roll, const SoakPosition& to) {
  if (to.player != origin.player || to == origin) return false;
  bool reached = false;
  VisitHumanSteps(DiceTurnStart(origin, roll), [&](const DiceEngine& state, bool) {
    reached = reached || SamePoints(state, to);
  });
  return reached;
}

bool DiceTurnEnds(const SoakPosition& origin, DiceRoll roll, const SoakPosition& to) {
  const DiceEngine start = DiceTurnStart(origin, roll);
  // A turn that takes the mover's last checker off ends the game; whose turn it is
  // then does not matter.
  auto ends = [&](const DiceEngine& state) {
    if (!SamePoints(state, to)) return false;
    return to.player == -origin.player || (to.player == origin.player && state.CheckersOf(origin.player) == 0);
  };
  bool ended = false;
  VisitHumanSteps(start, [&](const DiceEngine& state, bool last) { ended = ended || (last && ends(state)); });
  if (ended) return true;
  // The final positions the computer chooses its turn from.
  DiceEngine computer(start);
  if (computer.GenerateSuccessors() == 0) return ends(start);
  return std::any_of(computer.successors.begin(), computer.successors.end(),
                     [&](const auto& final) { return ends(*final); });
}

}  // namespace tavlero::tool
