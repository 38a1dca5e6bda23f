// tavlero-tool settings FILE [KEY]: reads a settings text, plain or (with KEY)
// sealed, and prints every entry as "key=raw value" in key order, then
// "# failed N" with the tree's failed flag after the load.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "store/file_bytes.h"
#include "store/sealed_file.h"
#include "store/settings_tree.h"

namespace tavlero::tool {
namespace {

int RunSettings(const std::vector<std::string>& args);

const ToolCommand kSettings{"settings", "settings FILE [KEY]",
                            "list the entries of a settings text (sealed with KEY, or plain)", RunSettings};
const ToolCommandRegistration kSettingsRegistration{kSettings};

int RunSettings(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) return UsageError(kSettings);
  const std::string& path = args[0];
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    std::fprintf(stderr, "tavlero-tool settings: cannot read '%s'\n", path.c_str());
    return 1;
  }
  OSettingsTree tree;
  if (args.size() == 2) {
    std::string text;
    if (!UnsealBytes(bytes, text, args[1])) {
      std::fprintf(stderr, "tavlero-tool settings: '%s' is damaged or sealed with another key\n", path.c_str());
      return 1;
    }
    tree.LoadText(text);
  } else {
    tree.LoadFile(path);
  }
  for (const auto& [key, value] : tree.Entries()) {
    std::fwrite(key.data(), 1, key.size(), stdout);
    std::fputc('=', stdout);
    std::fwrite(value.data(), 1, value.size(), stdout);
    std::fputc('\n', stdout);
  }
  std::printf("# failed %d\n", static_cast<int>(tree.failed));
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
