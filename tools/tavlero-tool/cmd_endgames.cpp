// tavlero-tool endgames FILE: reads an endgame table as the game does and prints
// "records N" (distinct positions), then up to eight entries spread over the table,
// "KEY SCORE PIECES RESULT" with the key in hexadecimal, the four piece codes of the
// key and the result for the side to move ("win in P", "loss in P", "draw").
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "engine/endgame_builder.h"
#include "engine/endgame_table.h"

namespace tavlero::tool {

namespace {

int RunEndgames(const std::vector<std::string>& args);

const ToolCommand kEndgames{"endgames", "endgames FILE", "count and sample the records of an endgame table",
                            RunEndgames};
const ToolCommandRegistration kEndgamesRegistration{kEndgames};

// One byte code of a key: a piece kind and its square (as seen from the side to move).
std::string DescribeCode(int code) {
  char text[16];
  if (code == 64) return "-";
  if (code < 32) std::snprintf(text, sizeof text, "K%d", 31 - code);
  else if (code < 64) std::snprintf(text, sizeof text, "M%d", 63 - code);
  else if (code < 97) std::snprintf(text, sizeof text, "m%d", code - 65);
  else std::snprintf(text, sizeof text, "k%d", code - 97);
  return text;
}

int RunEndgames(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError(kEndgames);
  EndgameTable table;
  if (!table.Load(args[0])) {
    std::fprintf(stderr, "tavlero-tool: cannot open endgame table '%s'\n", args[0].c_str());
    return 1;
  }
  std::printf("records %zu\n", table.Size());
  const std::size_t step = table.Size() / 8 + 1;
  std::size_t index = 0;
  for (const auto& [key, score] : table.Entries()) {
    if (index++ % step != 0) continue;
    const auto k = static_cast<unsigned>(key);
    std::printf("%08x %d %s,%s,%s,%s ", k, score, DescribeCode(k >> 24).c_str(),
                DescribeCode((k >> 16) & 0xFF).c_str(), DescribeCode((k >> 8) & 0xFF).c_str(),
                DescribeCode(k & 0xFF).c_str());
    const int plies = EndgamePlies(score);
    if (EndgameOutcome(score) > 0) std::printf("win in %d\n", plies);
    else if (EndgameOutcome(score) < 0) std::printf("loss in %d\n", plies);
    else std::printf("draw\n");
  }
  return 0;
}

}  // namespace

}  // namespace tavlero::tool
