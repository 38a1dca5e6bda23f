#include "ui/text_box_pictures.h"

#include "gfx/sprite.h"

namespace tavlero {
namespace {

std::unique_ptr<OSurface> MissingPicture() {
  auto square = std::make_unique<OSurface>(OTextPictures::kMissingSize, OTextPictures::kMissingSize);
  square->clearColour = OTextPictures::kMissingColour;
  square->Clear();
  return square;
}

// The container's first frame: a sprite of plain frames holds it as frame 0, a sprite
// of sequences as the first frame of its first sequence.
const OSurface* FirstPicture(const OSprite& sprite) {
  if (!sprite.frames.empty()) return sprite.frames.front();
  for (const OSprite* sub : sprite.subSprites) {
    if (const OSurface* picture = FirstPicture(*sub)) return picture;
  }
  return nullptr;
}

}  // namespace

const OSurface* OTextPictures::Find(std::string_view name) const {
  const auto it = pictures_.find(name);
  return it == pictures_.end() ? nullptr : it->second.get();
}

void OTextPictures::Store(std::string_view name, std::unique_ptr<OSurface> picture) {
  if (!picture || picture->failed || picture->Width() <= 0 || picture->Height() <= 0) picture = MissingPicture();
  // Inside running text the picture sits where the text puts it.
  picture->offsetX = 0;
  picture->offsetY = 0;
  pictures_.emplace(std::string(name), std::move(picture));
}

void OTextPictures::AddContainerPicture(std::string_view name, std::string_view file) {
  if (Has(name)) return;
  std::unique_ptr<OSurface> picture;
  OSprite sprite;
  if (!file.empty() && sprite.Load(std::string(file))) {
    if (const OSurface* first = FirstPicture(sprite)) picture = std::make_unique<OSurface>(*first);
  }
  Store(name, std::move(picture));
}

void OTextPictures::AddJpegPicture(std::string_view name, std::string_view file) {
  if (Has(name)) return;
  auto picture = std::make_unique<OSurface>(1, 1);
  if (file.empty() || !OSurface::LoadJpegFile(*picture, std::string(file), 0)) picture.reset();
  Store(name, std::move(picture));
}

}  // namespace tavlero
