// tavlero-tool soak KIND FRAMES [SEED]: runs the board screen's demonstration of a
// kind in the real program for FRAMES frames while random clicks and keys go to
// whatever screen is up, and checks after every event and tick that the board moved
// only as the rules allow, that the pieces drawn are the position, and that the stored
// positions are numbered as they should be.
//
// Prints "soak kind K: F frames, M moves, G games, 0 broken" and exits 0, or
// "frame N: <what broke>" and exits 1 at the first broken rule. Exit 2 for bad
// arguments or when the program cannot be started.
//
// A hidden last argument "--fault=mirror|history|rules" breaks the running program on
// purpose halfway through, for the tests that show each check catches its fault.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "soak_run.h"

namespace tavlero::tool {

namespace {

int RunSoakCommand(const std::vector<std::string>& args);

const ToolCommand kSoak{"soak", "soak KIND FRAMES [SEED]",
                        "play a kind's demonstration with random input and check every move", RunSoakCommand};
const ToolCommandRegistration kSoakRegistration{kSoak};

constexpr const char* kFaultOption = "--fault=";

int RunSoakCommand(const std::vector<std::string>& given) {
  std::vector<std::string> args = given;
  SoakSettings settings;
  if (!args.empty() && args.back().rfind(kFaultOption, 0) == 0) {
    settings.fault = args.back().substr(std::string(kFaultOption).size());
    args.pop_back();
    if (settings.fault != "mirror" && settings.fault != "history" && settings.fault != "rules")
      return UsageError(kSoak);
  }
  if (args.size() < 2 || args.size() > 3) return UsageError(kSoak);
  long long frames = 0, seed = 1;
  if (!ParseNumber(args[0], 0, 8, settings.kind) || !ParseNumber(args[1], 1, 1000000000LL, frames) ||
      (args.size() == 3 && !ParseNumber(args[2], 0, 4294967295LL, seed)))
    return UsageError(kSoak);
  settings.frames = static_cast<long>(frames);
  settings.seed = static_cast<std::uint32_t>(seed);

  const SoakOutcome outcome = RunSoak(settings);
  if (!outcome.setupError.empty()) {
    std::fprintf(stderr, "tavlero-tool: %s\n", outcome.setupError.c_str());
    return 2;
  }
  if (!outcome.broken.empty()) {
    std::printf("frame %ld: %s\n", outcome.frames, outcome.broken.c_str());
    return 1;
  }
  std::printf("soak kind %d: %ld frames, %ld moves, %ld games, 0 broken\n", settings.kind, outcome.frames,
              outcome.moves, outcome.games);
  return 0;
}

}  // namespace

}  // namespace tavlero::tool
