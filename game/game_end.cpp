#include "game/game_end.h"

#include <algorithm>
#include <memory>

#include "engine/disc_rules.h"
#include "engine/gomoku_patterns.h"
#include "engine/hex_connection.h"
#include "engine/kind_engines.h"
#include "engine/search_engine.h"
#include "game/board_geometry.h"
#include "game/cell_codes.h"

namespace tavlero {

namespace {

constexpr GameEnd Won(int side) { return {true, side > 0 ? kFirstSideWon : kSecondSideWon}; }

// Number of moves of the side to move, generated on a copy of the position.
int CountMoves(int kind, const SearchEngine& position) {
  std::unique_ptr<SearchEngine> scratch = CreateKindEngine(kind);
  if (!scratch) return 0;
  scratch->boardSize = position.boardSize;
  scratch->cellsInUse = position.cellsInUse;
  scratch->totalCells = position.totalCells;
  scratch->CopyPosition(position.cells);
  scratch->player = position.player;
  scratch->depth = 0;
  const int moves = scratch->GenerateSuccessors();
  scratch->ClearSuccessors();
  return moves;
}

GameEnd DraughtsEnd(int kind, const SearchEngine& position) {
  const int playable = std::clamp(UsesDarkSquares(kind) ? position.cellsInUse : position.totalCells, 0, kMaxCells);
  const bool inverted = kind == 5 || kind == 6;  // losing every piece wins
  if (CountPieces(position.cells, playable, 1) == 0) return Won(inverted ? 1 : -1);
  if (CountPieces(position.cells, playable, -1) == 0) return Won(inverted ? -1 : 1);
  if (CountMoves(kind, position) == 0) return Won(-position.player);
  return {};
}

GameEnd DiscEnd(const SearchEngine& position, bool firstMoveFlag) {
  const DiscCount count = CountDiscs(position.cells);
  if (count.plus == 0) return Won(-1);
  if (count.minus == 0) return Won(1);
  if (count.empty == 0) {
    if (count.plus != count.minus) return Won(count.plus > count.minus ? 1 : -1);
    return Won(firstMoveFlag ? 1 : -1);
  }
  int moves[kDiscCells];
  if (ListDiscMoves(position.cells, position.player, moves) == 0 &&
      ListDiscMoves(position.cells, -position.player, moves) == 0) {
    return Won(count.plus > count.minus ? 1 : -1);
  }
  return {};
}

GameEnd StonesEnd(const SearchEngine& position) {
  const int n = std::clamp(position.boardSize, 0, kGomokuMaxSide);
  if (const int colour = FindFive(position.cells, n)) return Won(colour);
  // The engine offers only points next to a stone, so on a board that holds stones it
  // runs out of moves exactly when the board is full. An empty board is a game that
  // has not started, not a finished one.
  const int* end = position.cells + n * n;
  const bool anyEmpty = std::find(position.cells, end, 0) != end;
  const bool anyStone = std::find_if(position.cells, end, [](int code) { return code != 0; }) != end;
  if (anyStone && !anyEmpty) return {true, kNoWinner};
  return {};
}

}  // namespace

GameEnd CheckGameEnd(int kind, const SearchEngine& position, bool firstMoveFlag) {
  switch (kind) {
    case 0:
    case 3:
    case 5:
    case 6:
    case 7:
      return DraughtsEnd(kind, position);
    case 1:
      return DiscEnd(position, firstMoveFlag);
    case 2:
      return StonesEnd(position);
    case 4:
      if (const int side = HexConnectedSide(position.cells, position.boardSize)) return Won(side);
      return {};
    default:
      return {};
  }
}

}  // namespace tavlero
