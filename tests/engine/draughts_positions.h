// Helpers for setting up draughts positions in engine tests.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "engine/draughts_squares.h"
#include "engine/search_engine.h"

namespace tavlero::testing {

struct Piece {
  int column;
  int row;
  int code;
};

// Cell index of (column, row): square numbers on the dark-square kinds, row * 8 +
// column on kind 7.
inline int DarkCell(int column, int row) { return SquareAt(column, row); }
inline int FullCell(int column, int row) { return row * 8 + column; }

// Empties the board and places the pieces; `player` moves next.
template <class Engine>
std::unique_ptr<Engine> MakePosition(std::initializer_list<Piece> pieces, int player, bool fullBoard = false) {
  auto engine = std::make_unique<Engine>();
  std::fill(std::begin(engine->cells), std::end(engine->cells), 0);
  for (const Piece& p : pieces)
    engine->cells[fullBoard ? FullCell(p.column, p.row) : DarkCell(p.column, p.row)] = p.code;
  engine->player = player;
  engine->depth = 0;
  engine->evalState = 0;
  return engine;
}

// The cells of every successor, in generation order.
inline std::vector<std::vector<int>> SuccessorCells(SearchEngine& engine) {
  engine.GenerateSuccessors();
  std::vector<std::vector<int>> all;
  for (const auto& s : engine.successors) all.emplace_back(s->cells, s->cells + kMaxCells);
  engine.ClearSuccessors();
  return all;
}

}  // namespace tavlero::testing
