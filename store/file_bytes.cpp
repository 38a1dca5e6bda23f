#include "store/file_bytes.h"

#include <cstdio>

namespace tavlero {

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string read;
  char piece[10240];
  std::size_t got;
  while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) read.append(piece, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return false;
  bytes.swap(read);
  return true;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return (std::fclose(file) == 0) && written;
}

}  // namespace tavlero
