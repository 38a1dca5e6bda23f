// tavlero-tool render-text FILE OUT.png [WIDTH HEIGHT]: lays a markup text out in the
// game's text box and writes the drawn box as a PNG, so a help page or a message can be
// looked at without starting the game. The text may be CP1251 or UTF-8. Without a size
// the box is 600 pixels wide and as high as the text. Picture files named in the text
// are found relative to the current folder, as the game finds them beside itself.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command.h"
#include "gfx/png_writer.h"
#include "platform/cp1251.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "platform/services.h"
#include "ui/text_box.h"

namespace tavlero::tool {
namespace {

int RunRenderText(const std::vector<std::string>& args);

const ToolCommand kRenderText{"render-text", "render-text FILE OUT.png [WIDTH HEIGHT]",
                              "draw a markup text as the game's text box draws it, into a PNG", RunRenderText};
const ToolCommandRegistration kRenderTextRegistration{kRenderText};

constexpr int kDefaultWidth = 600;
constexpr int kMaxSide = 16384;

bool ParseSide(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && value > 0 && value <= kMaxSide;
}

int RunRenderText(const std::vector<std::string>& args) {
  if (args.size() != 2 && args.size() != 4) return UsageError(kRenderText);
  int width = kDefaultWidth, height = 0;
  if (args.size() == 4 && (!ParseSide(args[2], width) || !ParseSide(args[3], height))) {
    return UsageError(kRenderText);
  }

  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "render-text: cannot read %s\n", args[0].c_str());
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (platform::LooksLikeUtf8(text)) text = platform::Utf8ToCp1251(text);

  platform::SdlTextRenderer renderer;
  platform::Services services = platform::CurrentServices();
  services.text = &renderer;
  platform::ScopedServices scoped(services);

  if (height == 0) {
    // Lay the text out once to learn how high it is.
    OTextBox measure(nullptr, 0, 0, width, 1);
    measure.SetText(text, 0, false);
    height = std::min(kMaxSide, std::max(1, measure.TextHeight()));
  }
  OTextBox box(nullptr, 0, 0, width, height);
  box.SetText(text, 0, false);
  box.Render(0, false);
  if (!WriteSurfacePng(box.Surface(), args[1], false)) {
    std::fprintf(stderr, "render-text: cannot write %s\n", args[1].c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
