#include "ui/picture_tables.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "app/required_picture.h"

namespace tavlero {
namespace {

template <int N>
struct PictureTable {
  const char* pattern;
  std::array<std::unique_ptr<OSprite>, N> pictures{};
  bool loaded = false;

  void Load() {
    if (loaded) return;
    for (int i = 0; i < N; ++i) {
      char path[64];
      std::snprintf(path, sizeof path, pattern, i);
      auto picture = std::make_unique<OSprite>();
      LoadRequiredPicture(*picture, path);
      pictures[static_cast<std::size_t>(i)] = std::move(picture);
    }
    loaded = true;
  }
  void Free() {
    for (auto& picture : pictures) picture.reset();
    loaded = false;
  }
  const OSprite& At(int index) const {
    static const OSprite kEmpty;
    if (!loaded || index < 0 || index >= N) return kEmpty;
    return *pictures[static_cast<std::size_t>(index)];
  }
};

PictureTable<kButtonPictureCount> g_buttons{"clp/but%d.clp"};
PictureTable<kBackgroundPictureCount> g_backgrounds{"clp/bg%d.clp"};
PictureTable<kJpPictureCount> g_jp{"clp/jp%d.clp"};

}  // namespace

void LoadSharedPictures() {
  g_buttons.Load();
  g_backgrounds.Load();
  g_jp.Load();
}

void FreeSharedPictures() {
  g_buttons.Free();
  g_backgrounds.Free();
  g_jp.Free();
}

bool SharedPicturesLoaded() { return g_buttons.loaded && g_backgrounds.loaded && g_jp.loaded; }

const OSprite& ButtonPicture(int index) { return g_buttons.At(index); }
const OSprite& BackgroundPicture(int index) { return g_backgrounds.At(index); }
const OSprite& JpPicture(int index) { return g_jp.At(index); }

}  // namespace tavlero
