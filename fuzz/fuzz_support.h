// Shared helpers of the fuzz targets: the input as a file for readers that only take a
// path, the input sealed under a key, the platform services the readers draw through,
// and a check that stops the run when a reader breaks a promise of its interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlero {
class SearchEngine;
}

namespace tavlero::fuzz {

// Bytes held as an anonymous in-memory file for the object's lifetime, reachable by
// the path /proc/self/fd/N, so path-taking readers see exactly the given bytes.
class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& Path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input split at its first byte: a small selector, then the rest.
struct Selector {
  unsigned value = 0;
  std::string_view rest;
};
Selector TakeSelector(std::string_view input);

// A folder of this process's own for readers and writers that need real files beside
// each other (a save writes a new file and renames it over the old one). Made on first
// use under /dev/shm (else $TMPDIR, else /tmp) and removed with its files when the
// process ends.
const std::string& ScratchFolder();

// Installs the deterministic text renderer (every byte equally wide), so text layout
// runs without fonts and the same input always lays out the same way. Idempotent.
void InstallTextServices();

// Aborts with a message naming `what` when `condition` is false: the fuzzer reports it
// as a crash with the input that broke the promise.
void Require(bool condition, const char* what);

// The reference and the fast search score the root moves of the same position to
// `plies`; stops the run, naming `what`, when their scores or ties differ.
void RequireSearchesAgree(SearchEngine& reference, SearchEngine& fast, int plies, const char* what);

}  // namespace tavlero::fuzz
