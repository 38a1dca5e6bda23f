// Builds a draughts engine node's successor list from the shared move rules.
#pragma once

#include <memory>

#include "engine/draughts_rules.h"
#include "engine/search_engine.h"

namespace tavlero {

// Clears the node's successors (and, with flying kings, the marks of the capture that
// produced it), then appends one node made by makeNode() per legal move. Returns the
// number of successors.
template <class MakeNode>
int GenerateDraughtsSuccessors(SearchEngine& parent, const DraughtsRules& rules, MakeNode&& makeNode) {
  parent.ClearSuccessors();
  if (rules.flyingKings) ClearCaptureMarks(parent.cells, CellCountFor(rules));
  return GenerateDraughtsMoves(rules, parent.cells, parent.player,
                               [&](const int* board, const int* path, int pathLength) {
                                 std::unique_ptr<SearchEngine> node = makeNode();
                                 node->CopyPosition(board);
                                 node->path.assign(path, path + pathLength);
                                 parent.AppendSuccessor(std::move(node));
                               });
}

}  // namespace tavlero
