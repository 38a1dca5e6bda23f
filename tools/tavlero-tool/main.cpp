// tavlero-tool: a command-line companion to the game for players and maintainers.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>

#include "command.h"

namespace tavlero::tool {

std::vector<ToolCommand>& CommandTable() {
  static std::vector<ToolCommand> table;
  return table;
}

int UsageError(const ToolCommand& command) {
  std::fprintf(stderr, "usage: tavlero-tool %s\n", command.usage);
  return 2;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return false;
  out = value;
  return true;
}

}  // namespace tavlero::tool

namespace {

void PrintHelp(std::FILE* out) {
  auto table = tavlero::tool::CommandTable();
  std::sort(table.begin(), table.end(),
            [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
  std::fprintf(out, "usage: tavlero-tool COMMAND [ARGUMENTS]\n\ncommands:\n");
  for (const auto& command : table) std::fprintf(out, "  %-40s %s\n", command.usage, command.summary);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    PrintHelp(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  for (const auto& command : tavlero::tool::CommandTable()) {
    if (std::strcmp(command.name, argv[1]) == 0) {
      return command.run(std::vector<std::string>(argv + 2, argv + argc));
    }
  }
  std::fprintf(stderr, "tavlero-tool: unknown command '%s' (try 'tavlero-tool help')\n", argv[1]);
  return 2;
}
