#include "engine/dice_engine.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/random.h"

namespace tavlero {

namespace {
constexpr int kLastPathIndex = DiceEngine::kPoints - 1;
constexpr int kHomeStart = 18;  // first path index of the home quarter
constexpr int kBlockLength = 6;
}  // namespace

DiceEngine::DiceEngine() = default;

DiceEngine::~DiceEngine() { ClearSuccessors(); }

DiceEngine::DiceEngine(const DiceEngine& other)
    : points(other.points),
      player(other.player),
      dice1(other.dice1),
      dice2(other.dice2),
      double_counter(other.double_counter),
      bearOffAllowed(other.bearOffAllowed),
      headAllowed(other.headAllowed),
      fromPoints(other.fromPoints),
      toPoints(other.toPoints),
      fromCounts(other.fromCounts),
      toCounts(other.toCounts) {}

DiceEngine& DiceEngine::operator=(const DiceEngine& other) {
  if (this == &other) return *this;
  ClearSuccessors();
  targets.clear();
  points = other.points;
  player = other.player;
  dice1 = other.dice1;
  dice2 = other.dice2;
  double_counter = other.double_counter;
  bearOffAllowed = other.bearOffAllowed;
  headAllowed = other.headAllowed;
  fromPoints = other.fromPoints;
  toPoints = other.toPoints;
  fromCounts = other.fromCounts;
  toCounts = other.toCounts;
  return *this;
}

void DiceEngine::SetStartPosition() {
  points.fill(0);
  points[HeadOf(1)] = kCheckers;
  points[HeadOf(-1)] = -kCheckers;
  player = 1;
}

int DiceEngine::CheckersOf(int side) const {
  int count = 0;
  for (int n : points) {
    if (n * side > 0) count += n * side;
  }
  return count;
}

bool DiceEngine::AllHome(int side) const {
  for (int i = 0; i < kPoints; ++i) {
    if (Holds(i, side) && PathIndex(i, side) < kHomeStart) return false;
  }
  return true;
}

int DiceEngine::SingleDieTarget(int point, int side, int die, bool bearOffOk) const {
  if (die <= 0) return -1;
  const int index = PathIndex(point, side);
  const int reached = index + die;
  if (reached <= kLastPathIndex) return OpenFor((point + die) % kPoints, side) ? point + die : -1;
  if (!bearOffOk) return -1;
  if (reached == kPoints) return point;
  // A die larger than needed bears off only the checker farthest from the exit.
  for (int behind = kHomeStart; behind < index; ++behind) {
    if (Holds(PointAt(behind, side), side)) return -1;
  }
  return point;
}

template <class Sink>
bool DiceEngine::VisitTargets(int point, int side, Sink&& sink) const {
  if (point < 0 || point >= kPoints || (side != 1 && side != -1) || !Holds(point, side)) return true;
  if (point == HeadOf(side) && !headAllowed) return true;
  if (double_counter == 0) return true;  // no step is left in this turn
  const bool bearOffOk = AllHome(side);
  const int index = PathIndex(point, side);

  if (EqualDice()) {
    // One step after another while every point touched is open; bearing off ends
    // the move and only counts as a single step.
    for (int k = 1; k <= double_counter; ++k) {
      if (k == 1) {
        const int target = SingleDieTarget(point, side, dice1, bearOffOk);
        if (target < 0) break;
        if (!sink(target)) return false;
        if (target == point) break;
        continue;
      }
      const int distance = k * dice1;
      if (index + distance > kLastPathIndex || !OpenFor((point + distance) % kPoints, side)) break;
      if (!sink(point + distance)) return false;
    }
    return true;
  }

  // Different dice: each die alone, and both in either order through an open
  // intermediate point. A combined move always ends on the board; bearing off after
  // the first die is a move of its own.
  const int order[2][2] = {{dice1, dice2}, {dice2, dice1}};
  for (const auto& dice : order) {
    const int first = dice[0];
    const int second = dice[1];
    const int target = SingleDieTarget(point, side, first, bearOffOk);
    if (target < 0) continue;
    if (!sink(target)) return false;
    if (target == point || second <= 0) continue;
    const int distance = first + second;
    if (index + distance <= kLastPathIndex && OpenFor((point + distance) % kPoints, side)) {
      if (!sink(point + distance)) return false;
    }
  }
  return true;
}

void DiceEngine::ListTargets(int point, int side, std::vector<int>& out) const {
  VisitTargets(point, side, [&out](int target) {
    out.push_back(target);
    return true;
  });
}

void DiceEngine::ComputeTargets(int point, int side) {
  targets.clear();
  bearOffAllowed = AllHome(side) ? 1 : 0;
  ListTargets(point, side, targets);
}

bool DiceEngine::HasAnyMove() const {
  if (dice1 + dice2 == 0 || double_counter == 0) return false;
  for (int i = 0; i < kPoints; ++i) {
    if (Holds(i, player) && !VisitTargets(i, player, [](int) { return false; })) return true;
  }
  return false;
}

bool DiceEngine::PassesBlockRule() const {
  // The other side's checker in its own home quarter lifts the rule.
  for (int index = kHomeStart; index < kPoints; ++index) {
    if (Holds(PointAt(index, -player), -player)) return true;
  }
  int run = 0;
  for (int i = 0; i < kPoints + kBlockLength - 1; ++i) {
    run = Holds(i % kPoints, player) ? run + 1 : 0;
    if (run >= kBlockLength) return false;
  }
  return true;
}

void DiceEngine::UseDice(int from, int target) {
  if (EqualDice()) {
    double_counter -= std::abs(target - from) / dice1 + (target == from ? 1 : 0);
    return;
  }
  int distance = std::abs(target - from);
  if (target == from) {
    // Bearing off takes the smaller die when it already leaves the board.
    const int low = std::min(dice1, dice2) > 0 ? std::min(dice1, dice2) : std::max(dice1, dice2);
    const int high = std::max(dice1, dice2);
    distance = PathIndex(from, player) + low >= kPoints ? low : high;
  }
  if (distance == dice1 && dice1 != 0) {
    dice1 = 0;
  } else if (distance == dice2 && dice2 != 0) {
    dice2 = 0;
  } else {
    dice1 = 0;
    dice2 = 0;
  }
}

bool DiceEngine::ApplyStep(int from, int target) {
  if (from < 0 || from >= kPoints || target < 0 || (player != 1 && player != -1)) return false;
  const int reached = target == from ? from : target % kPoints;
  if (from == HeadOf(player)) headAllowed = 0;
  points[from] -= player;
  if (reached != from) points[reached] += player;
  fromPoints.push_back(from);
  toPoints.push_back(reached);
  fromCounts.push_back(points[from]);
  toCounts.push_back(points[reached]);
  UseDice(from, target);
  return true;
}

void DiceEngine::ClearSuccessors() { successors.clear(); }

void DiceEngine::CollectLeaves(std::unique_ptr<DiceEngine> node,
                               std::vector<std::unique_ptr<DiceEngine>>& leaves) {
  if (node->successors.empty()) {
    leaves.push_back(std::move(node));
    return;
  }
  for (auto& child : node->successors) CollectLeaves(std::move(child), leaves);
  node->successors.clear();
}

void DiceEngine::CopyPoints(const int* source) { std::copy(source, source + kPoints, points.begin()); }

void DiceEngine::ClearStepRecords() {
  fromPoints.clear();
  toPoints.clear();
  fromCounts.clear();
  toCounts.clear();
}

int DiceEngine::GenerateSuccessors() {
  ClearSuccessors();
  for (int i = 0; i < kPoints; ++i) {
    if (!Holds(i, player)) continue;
    ComputeTargets(i, player);
    // ComputeTargets lists nothing from the head once it is spent, so at most one
    // checker leaves the head in any sequence.
    for (const int target : targets) {
      auto node = std::make_unique<DiceEngine>(*this);
      node->ApplyStep(i, target);
      if (node->HasAnyMove()) node->GenerateSuccessors();
      // The final positions under each step, in order. A step node whose
      // continuations were all dropped by the block rule is final itself: the turn
      // ends there.
      CollectLeaves(std::move(node), successors);
    }
  }
  targets.clear();
  std::erase_if(successors, [](const std::unique_ptr<DiceEngine>& node) { return !node->PassesBlockRule(); });
  return static_cast<int>(successors.size());
}

int DiceEngine::ScoreSuccessors(std::vector<int>& scores, std::vector<int>& ties) {
  scores.clear();
  ties.clear();
  int best = kLowestScore;
  for (std::size_t i = 0; i < successors.size(); ++i) {
    bool terminal = false;
    const int score = successors[i]->Evaluate(terminal);
    scores.push_back(score);
    if (score > best) {
      best = score;
      ties.clear();
    }
    if (score == best) ties.push_back(static_cast<int>(i));
  }
  return best;
}

int DiceEngine::Think() {
  ClearStepRecords();
  const int count = GenerateSuccessors();
  if (count > 0) {
    int chosen = 0;
    if (count > 1) {
      std::vector<int> scores;
      std::vector<int> ties;
      ScoreSuccessors(scores, ties);
      chosen = ties[RandomBelow(static_cast<int>(ties.size()))];
    }
    const DiceEngine& best = *successors[chosen];
    points = best.points;
    fromPoints = best.fromPoints;
    toPoints = best.toPoints;
    fromCounts = best.fromCounts;
    toCounts = best.toCounts;
  }
  player = -player;
  return count;
}

}  // namespace tavlero
