// tavlero-tool perft [--reference] KIND DEPTH [STATEFILE PREFIX]: the number of move
// sequences of DEPTH moves of a board kind (0-7), from the start position or from an
// engine state stored under PREFIX in a plain settings text. Kind 2 has no move on
// its empty board, so its count starts from a +1 stone on column 7, row 7 with -1 to
// move. Counted on the fast search's move generation, or with --reference by the
// engine nodes themselves.
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

int RunPerft(const std::vector<std::string>& args);

const ToolCommand kPerft{"perft", "perft [--reference] KIND DEPTH [STATEFILE PREFIX]",
                         "count the move sequences of a board kind to a depth", RunPerft};
const ToolCommandRegistration kPerftRegistration{kPerft};

int RunPerft(const std::vector<std::string>& arguments) {
  const bool reference = !arguments.empty() && arguments[0] == "--reference";
  const std::vector<std::string> args(arguments.begin() + (reference ? 1 : 0), arguments.end());
  if (args.size() != 2 && args.size() != 4) return UsageError(kPerft);
  int kind = 0, depth = 0;
  if (!ParseNumber(args[0], 0, kBoardKindCount - 1, kind) || !ParseNumber(args[1], 0, 64, depth))
    return UsageError(kPerft);
  std::unique_ptr<SearchEngine> engine = StartKindEngine(kind);
  if (!engine) {
    std::fprintf(stderr, "tavlero-tool: kind %d has no search engine in this build\n", kind);
    return 1;
  }
  if (args.size() == 4) {
    OSettingsTree tree;
    if (!tree.LoadFile(args[2])) {
      std::fprintf(stderr, "tavlero-tool: cannot read settings text '%s'\n", args[2].c_str());
      return 1;
    }
    engine->LoadState(tree, args[3]);
  } else if (kind == 2) {
    const int n = engine->boardSize;
    engine->cells[7 * n + 7] = 1;
    engine->player = -1;
  }
  std::printf("%lld\n", reference ? Perft(*engine, depth) : FastPerft(*engine, depth));
  return 0;
}

}  // namespace

}  // namespace tavlero::tool
