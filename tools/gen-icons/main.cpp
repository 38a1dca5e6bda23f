// gen-icons FOLDER SIZE...: paints the window's icon at each size N and writes
// FOLDER/hicolor/NxN/apps/tavlero.png, laid out as the hicolor icon theme wants them,
// ready to be installed below share/icons.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "gfx/png_writer.h"
#include "platform/sdl/window_icon.h"

namespace {

constexpr int kLargestSize = 1024;

// 0xAARRGGBB pixels as the red, green, blue, alpha bytes PNG rows hold.
std::vector<std::uint8_t> ToRgba(const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint8_t> rgba;
  rgba.reserve(pixels.size() * 4);
  for (const std::uint32_t pixel : pixels) {
    rgba.push_back(static_cast<std::uint8_t>(pixel >> 16));
    rgba.push_back(static_cast<std::uint8_t>(pixel >> 8));
    rgba.push_back(static_cast<std::uint8_t>(pixel));
    rgba.push_back(static_cast<std::uint8_t>(pixel >> 24));
  }
  return rgba;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: gen-icons FOLDER SIZE...\n");
    return 2;
  }
  namespace fs = std::filesystem;
  for (int arg = 2; arg < argc; ++arg) {
    const int size = std::atoi(argv[arg]);
    if (size < 1 || size > kLargestSize) {
      std::fprintf(stderr, "gen-icons: size %s is not between 1 and %d\n", argv[arg], kLargestSize);
      return 2;
    }
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const fs::path folder = fs::path(argv[1]) / "hicolor" / name / "apps";
    std::error_code error;
    fs::create_directories(folder, error);
    const std::string path = (folder / "tavlero.png").string();
    const std::vector<std::uint8_t> rgba = ToRgba(tavlero::platform::PaintWindowIcon(size));
    if (error || !tavlero::WritePngRgba(path, size, size, rgba.data())) {
      std::fprintf(stderr, "gen-icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
