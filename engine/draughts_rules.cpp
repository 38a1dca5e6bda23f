#include "engine/draughts_rules.h"

#include "engine/draughts_squares.h"

namespace tavlero {

namespace {

struct Step {
  int column;
  int row;
};

// Diagonal kinds try column -1 before +1, and within each, row -1 before +1.
constexpr Step kDiagonalSteps[4] = {{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
// The orthogonal kind tries right, left, up, down.
constexpr Step kOrthogonalSteps[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

DraughtsGeometry MakeGeometry(bool orthogonal) {
  DraughtsGeometry g{};
  g.cellCount = orthogonal ? kFullCellCount : kDarkCellCount;
  const Step* steps = orthogonal ? kOrthogonalSteps : kDiagonalSteps;
  auto cellAt = [orthogonal](int column, int row) {
    if (column < 0 || row < 0 || column >= kDraughtsBoard || row >= kDraughtsBoard) return -1;
    return orthogonal ? row * kDraughtsBoard + column : SquareAt(column, row);
  };
  for (int d = 0; d < 4; ++d) g.rowStep[d] = steps[d].row;
  for (int cell = 0; cell < kFullCellCount; ++cell) {
    for (auto& ray : g.ray[cell])
      for (int& c : ray) c = -1;
  }
  for (int cell = 0; cell < g.cellCount; ++cell) {
    const int column = orthogonal ? cell % kDraughtsBoard : SquareColumn(cell);
    const int row = orthogonal ? cell / kDraughtsBoard : SquareRow(cell);
    g.row[cell] = row;
    for (int d = 0; d < 4; ++d) {
      for (int k = 0; k < kMaxRay; ++k) {
        g.ray[cell][d][k] = cellAt(column + steps[d].column * (k + 1), row + steps[d].row * (k + 1));
      }
    }
  }
  return g;
}

}  // namespace

const DraughtsGeometry& GeometryFor(const DraughtsRules& rules) {
  static const DraughtsGeometry diagonal = MakeGeometry(false);
  static const DraughtsGeometry orthogonal = MakeGeometry(true);
  return rules.orthogonal ? orthogonal : diagonal;
}

}  // namespace tavlero
