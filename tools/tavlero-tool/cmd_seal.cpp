// tavlero-tool seal KEY IN OUT: seals the bytes of IN with KEY into OUT, the way
// the game writes its options and saved games.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"

namespace tavlero::tool {
namespace {

int RunSeal(const std::vector<std::string>& args);

const ToolCommand kSeal{"seal", "seal KEY IN OUT", "encipher a file into a sealed file", RunSeal};
const ToolCommandRegistration kSealRegistration{kSeal};

int RunSeal(const std::vector<std::string>& args) {
  if (args.size() != 3) return UsageError(kSeal);
  const std::string& key = args[0];
  const std::string& in = args[1];
  const std::string& out = args[2];
  std::string content;
  if (!ReadFileBytes(in, content)) {
    std::fprintf(stderr, "tavlero-tool seal: cannot read '%s'\n", in.c_str());
    return 1;
  }
  if (!SaveSealedFile(out, content, key)) {
    std::fprintf(stderr, "tavlero-tool seal: cannot write '%s'\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
