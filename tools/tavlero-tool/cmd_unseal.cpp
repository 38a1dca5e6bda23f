// tavlero-tool unseal KEY IN OUT: checks and deciphers the sealed file IN with KEY
// and writes the plain content to OUT.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"

namespace tavlero::tool {
namespace {

int RunUnseal(const std::vector<std::string>& args);

const ToolCommand kUnseal{"unseal", "unseal KEY IN OUT", "check and decipher a sealed file", RunUnseal};
const ToolCommandRegistration kUnsealRegistration{kUnseal};

int RunUnseal(const std::vector<std::string>& args) {
  if (args.size() != 3) return UsageError(kUnseal);
  const std::string& key = args[0];
  const std::string& in = args[1];
  const std::string& out = args[2];
  std::string sealed;
  if (!ReadFileBytes(in, sealed)) {
    std::fprintf(stderr, "tavlero-tool unseal: cannot read '%s'\n", in.c_str());
    return 1;
  }
  std::string content;
  if (!UnsealBytes(sealed, content, key)) {
    std::fprintf(stderr, "tavlero-tool unseal: '%s' is damaged or sealed with another key\n", in.c_str());
    return 1;
  }
  if (!WriteFileBytes(out, content)) {
    std::fprintf(stderr, "tavlero-tool unseal: cannot write '%s'\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
