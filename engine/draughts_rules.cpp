#include "engine/draughts_rules.h"

namespace tavlero {

DraughtsBits ReadDraughtsBits(const DraughtsRules& rules, const int* cells, int player) {
  const DraughtsGeometry& g = GeometryFor(rules);
  DraughtsBits bits;
  for (int cell = 0; cell < g.cellCount; ++cell) {
    const int code = cells[cell];
    const std::uint64_t bit = std::uint64_t{1} << g.cellToBit[cell];
    if (code == 0) {
      bits.empty |= bit;
    } else if (code * player > 0) {
      if (code == player) {
        bits.men |= bit;
      } else {
        bits.others |= bit;
        if (code == 2 * player) bits.kings |= bit;
      }
    } else if (code != 3 && code != -3) {
      bits.prey |= bit;
      if (code == -2 * player) bits.preyKings |= bit;
    }
  }
  return bits;
}

}  // namespace tavlero
