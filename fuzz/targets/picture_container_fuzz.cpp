// Picture container files (.clp) as the sprite loader reads them; then the sprite is
// used as screens use one: a copy is placed on a screen, drawn whole, half transparent,
// frame by frame and sub-sprite by sub-sprite, filtered at a fractional position, and
// through its animation steps.
#include <cstdint>

#include "app/screen.h"
#include "fuzz_support.h"
#include "gfx/sprite.h"

namespace {

class PictureScreen : public tavlero::OScreen {
 public:
  PictureScreen() : OScreen(nullptr, 0, 0, 64, 48) {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tavlero::fuzz::MemoryFile file(tavlero::fuzz::AsText(data, size));
  tavlero::OSprite loaded;
  if (!loaded.Load(file.Path())) return 0;

  PictureScreen screen;
  auto* sprite = new tavlero::OSprite();
  sprite->CopyFrom(&loaded);
  sprite->x = 3;
  sprite->y = 2;
  screen.AddSprite(sprite);  // the screen owns it from here
  tavlero::OScreen* shown = nullptr;
  screen.ShowModal(&shown);  // makes the screen's picture and draws it
  sprite->SetTransparency(40);
  for (int sub = 0; (sub < sprite->subSpriteCount || sub == 0) && sub < 16; ++sub) {
    for (int frame = 0; frame < sprite->frameCount && frame < 16; ++frame) {
      sprite->SetFrame(frame, sub);
      screen.Draw();
    }
  }
  // Filtered drawing at a fractional position, as moving pieces are drawn.
  sprite->subPixel = true;
  sprite->x = 2.5;
  screen.Draw();
  for (int tick = 0; tick < 8; ++tick) screen.OnFrame(100);
  return 0;
}
