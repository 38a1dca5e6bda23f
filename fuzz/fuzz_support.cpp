#include "fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/fast_search.h"
#include "engine/search_engine.h"
#include "platform/fake_text_renderer.h"
#include "platform/services.h"

namespace tavlero::fuzz {

MemoryFile::MemoryFile(std::string_view bytes) {
  fd_ = ::memfd_create("tavlero-fuzz-input", MFD_CLOEXEC);
  Require(fd_ >= 0, "memfd_create failed");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
    Require(written > 0, "writing the in-memory file failed");
    done += static_cast<std::size_t>(written);
  }
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
  if (fd_ >= 0) ::close(fd_);
}

Selector TakeSelector(std::string_view input) {
  if (input.empty()) return {};
  return {static_cast<unsigned char>(input[0]), input.substr(1)};
}

const std::string& ScratchFolder() {
  static const std::string path = [] {
    // Memory-backed when the system has it: saves sync their files, which costs
    // nothing there.
    const char* base = std::getenv("TMPDIR");
    for (const char* folder : {"/dev/shm", base, "/tmp"}) {
      if (folder == nullptr || *folder == '\0') continue;
      std::string pattern = std::string(folder) + "/tavlero-fuzz-XXXXXX";
      if (::mkdtemp(pattern.data()) != nullptr) return pattern;
    }
    Require(false, "cannot make a scratch folder");
    return std::string();
  }();
  static const bool removeAtExit = [] {
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    });
    return true;
  }();
  (void)removeAtExit;
  return path;
}

void InstallTextServices() {
  static platform::FakeTextRenderer renderer;
  platform::CurrentServices().text = &renderer;
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

void RequireSearchesAgree(SearchEngine& reference, SearchEngine& fast, int plies, const char* what) {
  std::vector<int> referenceScores, referenceTies, fastScores, fastTies;
  reference.ScoreRootMoves(plies, referenceScores, referenceTies);
  reference.ClearSuccessors();
  FastScoreRootMoves(fast, plies, fastScores, fastTies);
  Require(fastScores == referenceScores && fastTies == referenceTies, what);
}

}  // namespace tavlero::fuzz
