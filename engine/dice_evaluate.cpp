// The dice engine's measure of progress for the side that moves.
//
// Each point the mover holds is worth a value by its place along the mover's path.
// While the opponent still has checkers on its head the mover wants to occupy the
// third quarter, right in front of them; once the opponent's head is empty the
// values shift towards the home quarter, where every checker adds a bonus. Borne-off
// checkers and checkers that have left the head are rewarded on top.
#include <array>

#include "engine/dice_engine.h"

namespace tavlero {

namespace {

using ProgressTable = std::array<int, DiceEngine::kPoints>;

// Indexed by the position along the mover's path (0 = its head).
constexpr ProgressTable kWhileOpponentOnHead = {
    0,    50,   100,  150,  200,  250,  300, 350, 400, 450, 500, 550,
    1000, 1000, 1000, 1000, 1000, 1000, 950, 900, 850, 800, 750, 700};
constexpr ProgressTable kOnceOpponentHeadEmpty = {
    0,   50,  100, 150, 200, 250, 700,  750,  800,  850,  900,  950,
    400, 450, 500, 550, 600, 650, 1000, 1000, 1000, 1000, 1000, 1000};

constexpr int kHomeStart = 18;
constexpr int kHomeBonusPerChecker = 200;
constexpr int kBorneOffBonus = 1000;
constexpr int kLeftHeadBonus = 500;

}  // namespace

int DiceEngine::Evaluate(bool& terminal) {
  const int mover = player;
  if (CheckersOf(1) == 0) {
    terminal = true;
    return mover * kDecidedScore;
  }
  if (CheckersOf(-1) == 0) {
    terminal = true;
    return -mover * kDecidedScore;
  }
  terminal = false;

  // The opponent's head counts as empty when none of the opponent's own checkers
  // stand there (the mover's checkers may occupy it once it has been left).
  const bool opponentHeadEmpty = !Holds(HeadOf(-mover), -mover);
  const ProgressTable& table = opponentHeadEmpty ? kOnceOpponentHeadEmpty : kWhileOpponentOnHead;

  int score = 0;
  int onBoard = 0;
  for (int i = 0; i < kPoints; ++i) {
    if (!Holds(i, mover)) continue;
    const int count = points[i] * mover;
    const int index = PathIndex(i, mover);
    onBoard += count;
    score += table[index];
    if (opponentHeadEmpty && index >= kHomeStart) score += kHomeBonusPerChecker * count;
  }
  const int onHead = Holds(HeadOf(mover), mover) ? points[HeadOf(mover)] * mover : 0;
  score += kBorneOffBonus * (kCheckers - onBoard);
  score += kLeftHeadBonus * (kCheckers - onHead);
  return score;
}

}  // namespace tavlero
