// The table of tavlero-tool's subcommands. Each subcommand lives in a file of its
// own and registers itself with a static ToolCommandRegistration:
//
//   static const ToolCommandRegistration kSeal{
//       {"seal", "seal KEY IN OUT", "encipher a file into a sealed file", RunSeal}};
//
// The run function receives the arguments after the subcommand's name and returns
// the process exit code.
#pragma once

#include <string>
#include <vector>

namespace tavlero::tool {

struct ToolCommand {
  const char* name;
  const char* usage;    // the command line, without the program name
  const char* summary;  // one line for the help listing
  int (*run)(const std::vector<std::string>& args);
};

std::vector<ToolCommand>& CommandTable();

struct ToolCommandRegistration {
  explicit ToolCommandRegistration(const ToolCommand& command) { CommandTable().push_back(command); }
};

// Prints "usage: tavlero-tool USAGE" for the command on standard error and returns 2.
int UsageError(const ToolCommand& command);

// A whole decimal number within low ... high; false for anything else (empty text,
// trailing characters, out of range).
bool ParseNumber(const std::string& text, long long low, long long high, long long& out);
inline bool ParseNumber(const std::string& text, int low, int high, int& out) {
  long long value = 0;
  if (!ParseNumber(text, static_cast<long long>(low), static_cast<long long>(high), value)) return false;
  out = static_cast<int>(value);
  return true;
}

}  // namespace tavlero::tool
