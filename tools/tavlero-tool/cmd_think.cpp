// tavlero-tool think [--reference] KIND DEPTH STATEFILE PREFIX: the computer's view of
// one move.
//
// Reads an engine state stored under PREFIX in a plain settings text, scores every
// root move exactly as the computer does at that depth and prints one line per move
// in generation order, "I SCORE C=V ...": its index, its score and every cell whose
// code differs from the position read (cell index = new code, ascending), then
// "ties: I J ..." with the moves the computer picks among at random. The scores come
// from the fast search, or with --reference from the engine-per-node search it must
// agree with.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "engine/fast_search.h"
#include "engine/kind_engines.h"
#include "store/settings_tree.h"

namespace tavlero::tool {

namespace {

int RunThink(const std::vector<std::string>& args);

const ToolCommand kThink{"think", "think [--reference] KIND DEPTH STATEFILE PREFIX",
                         "score every root move of a board-kind state as the computer does", RunThink};
const ToolCommandRegistration kThinkRegistration{kThink};

int RunThink(const std::vector<std::string>& arguments) {
  const bool reference = !arguments.empty() && arguments[0] == "--reference";
  const std::vector<std::string> args(arguments.begin() + (reference ? 1 : 0), arguments.end());
  if (args.size() != 4) return UsageError(kThink);
  int kind = 0, depth = 0;
  if (!ParseNumber(args[0], 0, kBoardKindCount - 1, kind) || !ParseNumber(args[1], 1, 64, depth))
    return UsageError(kThink);
  std::unique_ptr<SearchEngine> engine = CreateKindEngine(kind);
  if (!engine) {
    std::fprintf(stderr, "tavlero-tool: kind %d has no search engine in this build\n", kind);
    return 1;
  }
  OSettingsTree tree;
  if (!tree.LoadFile(args[2])) {
    std::fprintf(stderr, "tavlero-tool: cannot read settings text '%s'\n", args[2].c_str());
    return 1;
  }
  engine->LoadState(tree, args[3]);
  int root[kMaxCells];
  std::copy(std::begin(engine->cells), std::end(engine->cells), root);

  // The moves as generated: searching a node clears the capture marks in its own
  // cells, so the positions are taken before the search.
  engine->GenerateSuccessors();
  std::vector<std::vector<int>> moves;
  for (const auto& s : engine->successors) moves.emplace_back(s->cells, s->cells + kMaxCells);
  engine->ClearSuccessors();

  std::vector<int> scores, ties;
  const int count = reference ? engine->ScoreRootMoves(depth, scores, ties)
                              : FastScoreRootMoves(*engine, depth, scores, ties);
  for (int i = 0; i < count; ++i) {
    std::printf("%d %d", i, scores[i]);
    const std::vector<int>& cells = moves[i];
    for (int c = 0; c < kMaxCells; ++c)
      if (cells[c] != root[c]) std::printf(" %d=%d", c, cells[c]);
    std::printf("\n");
  }
  std::printf("ties:");
  for (int i : ties) std::printf(" %d", i);
  std::printf("\n");
  engine->ClearSuccessors();
  return 0;
}

}  // namespace

}  // namespace tavlero::tool
