#include "app/required_picture.h"

#include <cstdio>
#include <cstdlib>

#include "gfx/sprite.h"
#include "platform/cp1251.h"
#include "platform/services.h"
#include "platform/window_system.h"

namespace tavlero {

void FailMissingFile(const std::string& path) { FailWithMessage("Error: file " + path + " not found!"); }

void FailWithMessage(const std::string& text) {
  if (auto* window = platform::CurrentServices().window) {
    window->MessageBox(text, "");  // also written to standard error
  } else {
    std::fprintf(stderr, "%s\n", platform::Cp1251ToUtf8(text).c_str());
  }
  std::fflush(stderr);
  std::exit(255);
}

void LoadRequiredPicture(OSprite& sprite, const std::string& path) {
  if (!sprite.Load(path)) FailMissingFile(path);
}

}  // namespace tavlero
