#include "ui/dice_play.h"

#include <algorithm>
#include <cstdlib>

#include "game/dice_rules.h"
#include "platform/random.h"
#include "sound/effects_player.h"
#include "ui/game_screen.h"
#include "ui/picture_tables.h"

namespace tavlero {

namespace {

constexpr int kColumnX[12] = {27, 68, 109, 150, 190, 230, 320, 360, 402, 443, 483, 523};
constexpr int kTopY = 15, kBottomY = 536, kStackStep = 33, kBottomEdge = 569;
constexpr int kBarX = 275;
constexpr int kFirstDiePicture = 6, kSecondDiePicture = 7;  // background pictures
constexpr int kMarkerPicture = 10;                           // jp picture
constexpr int kPlusChecker = 8, kMinusChecker = 9;           // piece table
constexpr int kDiceStartX = 100, kDiceStartY = 100;

int ColumnOfPoint(int point) { return point < 12 ? 11 - point : point - 12; }

}  // namespace

DiceScreenPoint DiceStackPlace(int point, int k) {
  const int x = kColumnX[ColumnOfPoint(point)];
  return point < 12 ? DiceScreenPoint{x, kTopY + kStackStep * k} : DiceScreenPoint{x, kBottomY - kStackStep * k};
}

DiceHit DiceHitAt(const std::array<int, DiceEngine::kPoints>& drawn, int x, int y, bool checkerSelected) {
  if (x > 600) return {};
  const int column = x >= kBarX ? (x - 80) / 40 : (x - 30) / 40;
  if (column < 0 || column > 11) return {};
  const int top = 11 - column, bottom = 12 + column;
  const int topCount = drawn[top], bottomCount = drawn[bottom];
  if (kTopY < y && y < kTopY + kStackStep * topCount) return {top, false};
  if (kBottomY - kStackStep * (bottomCount - 1) < y && y < kBottomEdge) return {bottom, false};
  if (!checkerSelected) return {};
  if (kTopY + kStackStep * topCount < y && y < kTopY + kStackStep * (topCount + 1)) return {top, true};
  if (kBottomY - kStackStep * bottomCount < y && y < kBottomY - kStackStep * (bottomCount - 1)) return {bottom, true};
  return {};
}

DicePlay::DicePlay(OGameScreen& game) : KindPlay(game) {
  for (int i = 0; i < 2; ++i) {
    dice_[i] = NewSpriteOf(BackgroundPicture(i == 0 ? kFirstDiePicture : kSecondDiePicture), 0, 0, kDiceDepth);
    game_.AddSprite(dice_[i]);
  }
  PlaceDice(kDiceStartX, kDiceStartY);
}

DicePlay::~DicePlay() {
  Drop();
  for (auto& stack : stacks_) {
    for (OSprite*& sprite : stack) game_.DropSprite(sprite);
  }
  for (OSprite*& die : dice_) game_.DropSprite(die);
}

DiceEngine& DicePlay::Engine() const { return *game_.Dice(); }

bool DicePlay::HumanThrows() const { return !game_.OneHuman() || Engine().player == -1; }

void DicePlay::PlaceDice(int x, int y) {
  dice_[0]->x = x;
  dice_[0]->y = y;
  dice_[1]->x = x + 40;
  dice_[1]->y = y + 20;
}

void DicePlay::ShowFace(int die, int face) {
  faces_[die] = std::clamp(face, 1, DiceEngine::kMaxDie);
  dice_[die]->SetFrame(faces_[die] - 1, -1);
}

// ---------------------------------------------------------------------------------------
// Position, markers and counts

void DicePlay::ShowPosition() {
  const DiceEngine& engine = Engine();
  for (int point = 0; point < DiceEngine::kPoints; ++point) {
    auto& stack = stacks_[point];
    for (OSprite*& sprite : stack) game_.DropSprite(sprite);
    stack.clear();
    const int count = std::min(std::abs(engine.points[point]), DiceEngine::kCheckers);
    const int picture = engine.points[point] > 0 ? kPlusChecker : kMinusChecker;
    for (int k = 0; k < count; ++k) {
      const DiceScreenPoint place = DiceStackPlace(point, k);
      OSprite* sprite = game_.NewPieceSprite(picture, place.x, place.y, 0);
      game_.AddSprite(sprite);
      stack.push_back(sprite);
    }
    drawn_[point] = count;
  }
}

void DicePlay::CountPieces(int& first, int& second) const {
  first = Engine().CheckersOf(1);
  second = Engine().CheckersOf(-1);
}

void DicePlay::ClearMarkers() {
  for (OSprite*& marker : markers_) game_.DropSprite(marker);
  markers_.clear();
  destinations_.clear();
}

void DicePlay::ShowMarkers() {
  ClearMarkers();
  if (selected_ < 0) return;
  destinations_ = DiceDestinations(Engine(), selected_);
  for (const int point : destinations_) {
    const DiceScreenPoint place = DiceStackPlace(point, drawn_[point] - (point == selected_ ? 1 : 0));
    OSprite* marker = NewSpriteOf(JpPicture(kMarkerPicture), place.x, place.y, kDiceDepth);
    game_.AddSprite(marker);
    markers_.push_back(marker);
  }
}

void DicePlay::Drop() {
  ClearMarkers();
  game_.DropSprite(moving_);
  selected_ = -1;
  rolling_ = false;
  replaying_ = false;
  replay_.clear();
  replayNext_ = 0;
  waitingThrow_ = false;
  game_.busy = false;
}

void DicePlay::CheckEnd() {
  const int winner = DiceWinner(Engine());
  if (winner == kDiceNoWinner) return;
  waitingThrow_ = false;
  game_.EndGame(winner);
}

// ---------------------------------------------------------------------------------------
// Opening and resuming

bool DicePlay::Open() {
  DiceEngine& engine = Engine();
  PlaceDice(kDiceStartX, kDiceStartY);
  ShowPosition();
  if (game_.options.computerFirst && game_.OneHuman()) {
    BeginThrow(true);
    return false;
  }
  if (!game_.options.computerFirst) engine.player = -1;
  waitingThrow_ = true;
  return false;
}

void DicePlay::Resume() {
  ShowPosition();
  if (DiceWinner(Engine()) != kDiceNoWinner) return;
  if (game_.OneHuman() && !game_.demo && Engine().player > 0) {
    BeginThrow(true);
  } else {
    waitingThrow_ = !game_.demo;
  }
}

// ---------------------------------------------------------------------------------------
// The throw

void DicePlay::Hover(int x, int y) {
  if (!waitingThrow_ || !HumanThrows()) return;
  PlaceDice(std::clamp(x, 120, 400), std::clamp(y, 80, 460));
}

void DicePlay::BeginThrow(bool byComputer) {
  game_.PlaySound(effect::kDice);
  ClearMarkers();
  selected_ = -1;
  if (byComputer) PlaceDice(120 + RandomBelow(280), 80 + RandomBelow(380));
  for (int& time : rollTimes_) time = 1 + RandomBelow(kRollFramesMax);
  rollCounter_ = 0;
  rolling_ = true;
  computerThrow_ = byComputer;
  waitingThrow_ = false;
  game_.busy = true;
}

void DicePlay::Tick() {
  if (!rolling_) return;
  ++rollCounter_;
  if (rollCounter_ % 6 == 1) {
    for (int die = 0; die < 2; ++die) {
      if (rollTimes_[die] > rollCounter_) ShowFace(die, 1 + RandomBelow(DiceEngine::kMaxDie));
    }
  }
  if (rollCounter_ > rollTimes_[0] && rollCounter_ > rollTimes_[1]) RollFinished();
}

void DicePlay::RollFinished() {
  rolling_ = false;
  game_.busy = false;
  StartDiceTurn(Engine(), DiceRoll{faces_[0], faces_[1]});
  if (computerThrow_) {
    PlayComputerTurn();
  } else if (!DiceTurnGoesOn(Engine())) {
    EndHumanTurn();
  }
}

// ---------------------------------------------------------------------------------------
// The human's steps

void DicePlay::Click(int x, int y) {
  if (rolling_ || replaying_) return;
  if (waitingThrow_) {
    if (HumanThrows()) BeginThrow(false);
    return;
  }
  if (!HumanThrows()) return;
  const DiceHit hit = DiceHitAt(drawn_, x, y, selected_ >= 0);
  if (hit.point < 0) return;
  // A marked destination takes the step, also where the mover's own checkers stand.
  if (selected_ >= 0 && std::find(destinations_.begin(), destinations_.end(), hit.point) != destinations_.end()) {
    const int from = selected_;
    if (!DiceStep(Engine(), from, hit.point)) {
      game_.PlaySound(effect::kRefused);
      return;
    }
    ClearMarkers();
    Glide(from, hit.point);
    return;
  }
  if (hit.drop) return;
  Select(hit.point);
}

void DicePlay::Select(int point) {
  const DiceEngine& engine = Engine();
  if (engine.points[point] * engine.player <= 0) {
    game_.PlaySound(effect::kRefused);
    return;
  }
  if (DiceDestinations(engine, point).empty()) {
    game_.PlaySound(effect::kRefused);
    return;
  }
  selected_ = point;
  ShowMarkers();
  game_.PlaySound(effect::kPickedUp);
}

void DicePlay::Glide(int from, int to) {
  // The stacks still show the position before the step.
  auto& stack = stacks_[from];
  DiceScreenPoint start = DiceStackPlace(from, std::max(drawn_[from] - 1, 0));
  int picture = Engine().player > 0 ? kPlusChecker : kMinusChecker;
  if (!stack.empty()) {
    game_.DropSprite(stack.back());
    stack.pop_back();
  }
  const DiceScreenPoint end = to == from ? start : DiceStackPlace(to, drawn_[to]);
  moving_ = game_.NewPieceSprite(picture, start.x, start.y, kMovingDepth);
  moving_->AddWaypoint(end.x, end.y, 0, kCheckerSpeed, false);
  game_.AddSprite(moving_);
  game_.busy = true;
}

void DicePlay::Arrived(OSprite* sprite) {
  if (sprite == nullptr || sprite != moving_) return;
  game_.DropSprite(moving_);
  game_.busy = false;
  if (replaying_) {
    if (replayTo_ >= 0) Engine().points[replayTo_] = replayToCount_;
    ShowPosition();
    ReplayNextStep();
    return;
  }
  game_.PlaySound(effect::kLanded);
  ShowPosition();
  AfterHumanStep();
}

void DicePlay::AfterHumanStep() {
  if (DiceWinner(Engine()) != kDiceNoWinner) {
    ClearMarkers();
    selected_ = -1;
    game_.StorePosition();
    return;
  }
  if (DiceTurnGoesOn(Engine())) {
    if (selected_ >= 0 && (Engine().points[selected_] * Engine().player <= 0 ||
                           DiceDestinations(Engine(), selected_).empty()))
      selected_ = -1;
    ShowMarkers();
    return;
  }
  EndHumanTurn();
}

void DicePlay::EndHumanTurn() {
  ClearMarkers();
  selected_ = -1;
  EndDiceTurn(Engine());
  game_.StorePosition();
  game_.ShowUndo();
  ++game_.movesMade;
  if (game_.OneHuman()) {
    BeginThrow(true);
  } else {
    waitingThrow_ = true;
  }
}

// ---------------------------------------------------------------------------------------
// The computer's turn

void DicePlay::PlayComputerTurn() {
  DiceEngine& engine = Engine();
  const std::array<int, DiceEngine::kPoints> before = engine.points;
  const int mover = engine.player;
  engine.Think();
  engine.ClearSuccessors();
  turnResult_ = engine;
  replay_.clear();
  for (std::size_t i = 0; i < turnResult_.fromPoints.size(); ++i) {
    replay_.push_back({turnResult_.fromPoints[i], turnResult_.toPoints[i], turnResult_.fromCounts[i],
                       turnResult_.toCounts[i]});
  }
  // The board goes back to the start of the turn and the steps are shown one by one.
  engine.points = before;
  engine.player = mover;
  replayNext_ = 0;
  replaying_ = true;
  game_.MarkGameRunning();
  ReplayNextStep();
}

void DicePlay::ReplayNextStep() {
  DiceEngine& engine = Engine();
  if (replayNext_ >= replay_.size()) {
    replaying_ = false;
    replayTo_ = -1;
    engine = turnResult_;
    ShowPosition();
    game_.StorePosition();
    waitingThrow_ = DiceWinner(engine) == kDiceNoWinner;
    return;
  }
  const Step step = replay_[replayNext_++];
  if (step.from < 0 || step.from >= DiceEngine::kPoints || step.to < 0 || step.to >= DiceEngine::kPoints) {
    ReplayNextStep();
    return;
  }
  Glide(step.from, step.to);
  engine.points[step.from] = step.fromCount;
  replayTo_ = step.to;
  replayToCount_ = step.toCount;
}

void DicePlay::ComputerMove() {
  // The demonstration: both sides throw without animation and play at once.
  DiceEngine& engine = Engine();
  const DiceRoll roll = ThrowDemonstrationDice(engine.player);
  StartDiceTurn(engine, roll);
  ShowFace(0, roll.dice1);
  ShowFace(1, roll.dice2);
  engine.Think();
  engine.ClearSuccessors();
  ShowPosition();
}

}  // namespace tavlero
