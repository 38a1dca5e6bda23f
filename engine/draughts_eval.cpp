#include "engine/draughts_eval.h"

#include <algorithm>

#include "engine/draughts_rules.h"
#include "engine/draughts_squares.h"
#include "engine/search_engine.h"

namespace tavlero {

namespace {

// Side +1's weights by row (0 = side -1's home row) and by dark square left to right.
constexpr int kManByRow[8][4] = {
    {1290, 755, 881, 926},   {1358, 1182, 979, 1471}, {1146, 953, 872, 1341},
    {1141, 1119, 943, 1085}, {1313, 1116, 922, 1219}, {1122, 1020, 798, 1410},
    {1639, 939, 1125, 1258}, {1311, 1327, 1069, 1170}};
constexpr int kKingByRow[8][4] = {
    {1319, 1359, 1487, 865},  {1377, 1321, 1351, 1426}, {1348, 1791, 1445, 1455},
    {1709, 1685, 1744, 1678}, {1493, 1108, 1521, 1351}, {1269, 1317, 1358, 1715},
    {1827, 1750, 1264, 1087}, {1739, 1905, 1725, 1574}};

// Per square: weight of a man and a king of side +1 and of side -1 (whose tables are
// side +1's turned by 180 degrees).
struct SquareWeights {
  int plusMan[kDarkCellCount];
  int plusKing[kDarkCellCount];
  int minusMan[kDarkCellCount];
  int minusKing[kDarkCellCount];
};

constexpr SquareWeights MakeSquareWeights() {
  SquareWeights w{};
  for (int i = 0; i < kDarkCellCount; ++i) {
    const int x = SquareColumn(i), y = SquareRow(i);
    w.plusMan[i] = kManByRow[y][x / 2];
    w.plusKing[i] = kKingByRow[y][x / 2];
    w.minusMan[i] = kManByRow[7 - y][(7 - x) / 2];
    w.minusKing[i] = kKingByRow[7 - y][(7 - x) / 2];
  }
  return w;
}

constexpr SquareWeights kWeights = MakeSquareWeights();

constexpr int kOrthogonalMan = 1000;
constexpr int kOrthogonalKing = 1500;

}  // namespace

int DiagonalPieceValue(int cell, int code) {
  switch (code) {
    case 1: return kWeights.plusMan[cell];
    case 2: return kWeights.plusKing[cell];
    case -1: return -kWeights.minusMan[cell];
    case -2: return -kWeights.minusKing[cell];
    default: return 0;
  }
}

int OrthogonalPieceValue(int code) {
  switch (code) {
    case 1: return kOrthogonalMan;
    case 2: return kOrthogonalKing;
    case -1: return -kOrthogonalMan;
    case -2: return -kOrthogonalKing;
    default: return 0;
  }
}

namespace {

template <class Value>
DraughtsMaterial CountMaterial(const int* cells, int count, Value&& value) {
  DraughtsMaterial m;
  for (int i = 0; i < count; ++i) {
    if (!IsDraughtsPiece(cells[i])) continue;
    ++(cells[i] > 0 ? m.plusPieces : m.minusPieces);
    m.balance += value(i, cells[i]);
  }
  return m;
}

}  // namespace

DraughtsMaterial DiagonalMaterial(const int* cells) {
  return CountMaterial(cells, kDarkCellCount, [](int cell, int code) { return DiagonalPieceValue(cell, code); });
}

DraughtsMaterial OrthogonalMaterial(const int* cells) {
  return CountMaterial(cells, kFullCellCount, [](int, int code) { return OrthogonalPieceValue(code); });
}

DraughtsVerdict MaterialVerdict(const DraughtsMaterial& material, int player) {
  if (material.minusPieces == 0) return {player * kWinScore, true};
  if (material.plusPieces == 0) return {-player * kWinScore, true};
  return {material.balance * player, false};
}

void PlaceDiagonalStart(int* cells) {
  std::fill(cells, cells + kMaxCells, 0);
  constexpr int kRowsOfMen = 3;
  for (int row = 0; row < kRowsOfMen; ++row) {
    for (int column = 0; column < kDraughtsBoard; ++column) {
      const int own = SquareAt(column, row);
      if (own >= 0) cells[own] = -1;
      const int far = SquareAt(column, kDraughtsBoard - 1 - row);
      if (far >= 0) cells[far] = 1;
    }
  }
}

void PlaceOrthogonalStart(int* cells) {
  std::fill(cells, cells + kMaxCells, 0);
  for (int column = 0; column < kDraughtsBoard; ++column) {
    cells[1 * kDraughtsBoard + column] = -1;
    cells[2 * kDraughtsBoard + column] = -1;
    cells[(kDraughtsBoard - 3) * kDraughtsBoard + column] = 1;
    cells[(kDraughtsBoard - 2) * kDraughtsBoard + column] = 1;
  }
}

}  // namespace tavlero
