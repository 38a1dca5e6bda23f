// Runs a fuzz target outside the fuzzer: every file named on the command line, and every
// file inside every folder named, is handed to LLVMFuzzerTestOneInput once, in name
// order. A crash ends the program as it would end the fuzzer; otherwise it prints how
// many inputs ran and exits 0. Used by the regression tests of every ordinary build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "store/file_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

namespace fs = std::filesystem;

// The regular files to run: the named ones and those inside named folders (not
// descending further), each group in name order. Hidden files (".keep") are skipped.
bool CollectInputs(const char* argument, std::vector<fs::path>& inputs) {
  std::error_code error;
  const fs::path path(argument);
  if (fs::is_directory(path, error)) {
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
      const std::string name = entry.path().filename().string();
      if (entry.is_regular_file(error) && !name.starts_with(".")) found.push_back(entry.path());
    }
    if (error) return false;
    std::sort(found.begin(), found.end());
    inputs.insert(inputs.end(), found.begin(), found.end());
    return true;
  }
  if (fs::is_regular_file(path, error)) {
    inputs.push_back(path);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], inputs)) {
      std::fprintf(stderr, "%s: cannot read '%s'\n", argv[0], argv[i]);
      return 2;
    }
  }
  std::string bytes;
  for (const fs::path& input : inputs) {
    if (!tavlero::ReadFileBytes(input.string(), bytes)) {
      std::fprintf(stderr, "%s: cannot read '%s'\n", argv[0], input.c_str());
      return 2;
    }
    std::fprintf(stderr, "running %s (%zu bytes)\n", input.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs ran\n", inputs.size());
  return 0;
}
