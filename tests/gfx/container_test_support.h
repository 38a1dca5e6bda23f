// Helpers of the picture container tests: small pictures, files in a scratch folder,
// and byte-level editing of container files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/picture_container_writer.h"

namespace tavlero::testing_support {

// A width x height picture whose every byte differs from its neighbours'.
inline std::vector<std::uint8_t> Pattern(int width, int height, int seed) {
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
  for (std::size_t i = 0; i < bgr.size(); ++i) bgr[i] = static_cast<std::uint8_t>(i * 7 + seed * 31 + (i / 3) % 5);
  return bgr;
}

inline std::vector<std::uint8_t> AlphaPattern(int width, int height) {
  std::vector<std::uint8_t> alpha(static_cast<std::size_t>(width) * height);
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = static_cast<std::uint8_t>(i * 13);
  return alpha;
}

// A smooth picture (JPEG keeps it close).
inline std::vector<std::uint8_t> Gradient(int width, int height) {
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
      p[0] = static_cast<std::uint8_t>(40 + x * 150 / width);
      p[1] = static_cast<std::uint8_t>(60 + y * 120 / height);
      p[2] = static_cast<std::uint8_t>(200 - (x + y) * 100 / (width + height));
    }
  return bgr;
}

class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("tavlero-clp-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
             std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

inline std::vector<std::uint8_t> Encode(const PictureContainer& container) {
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!EncodePictureContainer(container, bytes, error)) std::fprintf(stderr, "encode: %s\n", error.c_str());
  return bytes;
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

inline void PutInt(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

inline std::int32_t GetInt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

}  // namespace tavlero::testing_support
