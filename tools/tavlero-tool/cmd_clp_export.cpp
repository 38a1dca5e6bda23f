// tavlero-tool clp-export FILE DIR: loads a picture container as the game does and
// writes every frame of the loaded sprite as DIR/sS_fK.png (S the sub-sprite, 0 for a
// sprite without sub-sprites; K the frame). The transparency plane becomes opacity
// (255 - value) and the colour-key colour is fully transparent. One line per frame:
//
//   S K WIDTH HEIGHT OFFSETX OFFSETY COLOURKEY COMMAND ARGUMENT1 ARGUMENT2
//
// with the colour key as 0xRRGGBB, or -1 for none.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "gfx/png_writer.h"
#include "gfx/sprite.h"

namespace tavlero::tool {
namespace {

int RunClpExport(const std::vector<std::string>& args);

const ToolCommand kClpExport{"clp-export", "clp-export FILE DIR",
                             "write every frame of a picture container as PNG files", RunClpExport};
const ToolCommandRegistration kClpExportRegistration{kClpExport};

bool ExportFrames(const OSprite& sprite, int subSprite, const std::string& folder) {
  for (std::size_t k = 0; k < sprite.frames.size(); ++k) {
    const OSurface& frame = *sprite.frames[k];
    const std::string path = folder + "/s" + std::to_string(subSprite) + "_f" + std::to_string(k) + ".png";
    if (!WriteSurfacePng(frame, path, true)) {
      std::fprintf(stderr, "tavlero-tool: cannot write '%s'\n", path.c_str());
      return false;
    }
    char key[16] = "-1";
    if (frame.colourKey >= 0) std::snprintf(key, sizeof key, "0x%06X", static_cast<unsigned>(frame.colourKey));
    std::printf("%d %zu %d %d %d %d %s %d %d %d\n", subSprite, k, frame.Width(), frame.Height(), frame.offsetX,
                frame.offsetY, key, frame.command, frame.argument1, frame.argument2);
  }
  return true;
}

int RunClpExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(kClpExport);
  OSprite sprite;
  if (!sprite.Load(args[0])) {
    std::fprintf(stderr, "tavlero-tool: '%s' holds no pictures (missing, damaged or empty)\n", args[0].c_str());
    return 1;
  }
  std::error_code error;
  std::filesystem::create_directories(args[1], error);
  if (sprite.subSprites.empty()) return ExportFrames(sprite, 0, args[1]) ? 0 : 1;
  for (std::size_t s = 0; s < sprite.subSprites.size(); ++s)
    if (!ExportFrames(*sprite.subSprites[s], static_cast<int>(s), args[1])) return 1;
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
