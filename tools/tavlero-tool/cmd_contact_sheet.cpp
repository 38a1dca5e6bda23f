// tavlero-tool contact-sheet DIR OUT.png: every picture container in DIR on one page,
// loaded as the game loads it, each with its file name and shape. Sub-sprites go on
// rows of their own; transparent parts show a chequer; pictures wider or taller than
// 320 pixels are shown at half size.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "command.h"
#include "gfx/png_writer.h"
#include "gfx/sprite.h"
#include "platform/sdl/sdl_text_renderer.h"

namespace tavlero::tool {
namespace {

int RunContactSheet(const std::vector<std::string>& args);

const ToolCommand kContactSheet{"contact-sheet", "contact-sheet DIR OUT.png",
                                "lay every picture container of a folder out on one PNG page", RunContactSheet};
const ToolCommandRegistration kContactSheetRegistration{kContactSheet};

constexpr int kPageWidth = 1800;
constexpr int kMargin = 12;
constexpr int kGap = 6;
constexpr int kLabelHeight = 18;
constexpr int kHalveAbove = 320;

// An RGBA picture, rows top-down.
struct Image {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgba;
  Image() = default;
  Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
  std::uint8_t* At(int x, int y) { return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
  const std::uint8_t* At(int x, int y) const { return rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
};

Image FrameImage(const OSurface& frame) {
  Image image;
  image.width = frame.Width();
  image.height = frame.Height();
  image.rgba = SurfaceToRgba(frame, true);
  if (image.width <= kHalveAbove && image.height <= kHalveAbove) return image;
  Image half(std::max(1, image.width / 2), std::max(1, image.height / 2));
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x) {
      // Average opacity-weighted colour of the 2 x 2 block.
      int sum[4] = {0, 0, 0, 0};
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const std::uint8_t* p = image.At(std::min(image.width - 1, 2 * x + dx), std::min(image.height - 1, 2 * y + dy));
          for (int c = 0; c < 3; ++c) sum[c] += p[c] * p[3];
          sum[3] += p[3];
        }
      std::uint8_t* q = half.At(x, y);
      for (int c = 0; c < 3; ++c) q[c] = static_cast<std::uint8_t>(sum[3] ? sum[c] / sum[3] : 0);
      q[3] = static_cast<std::uint8_t>(sum[3] / 4);
    }
  return half;
}

// Draws an image over the page with a chequer behind its transparent parts.
void Place(Image& page, const Image& image, int left, int top) {
  for (int y = 0; y < image.height; ++y) {
    const int py = top + y;
    if (py < 0 || py >= page.height) continue;
    for (int x = 0; x < image.width; ++x) {
      const int px = left + x;
      if (px < 0 || px >= page.width) continue;
      const std::uint8_t* s = image.At(x, y);
      const int chequer = ((x / 6) + (y / 6)) % 2 ? 0x9A : 0xC8;
      std::uint8_t* d = page.At(px, py);
      for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * s[3] + chequer * (255 - s[3])) / 255);
      d[3] = 255;
    }
  }
}

void Label(Image& page, platform::TextRenderer& text, const std::string& line, int left, int top) {
  platform::FontSpec font;
  font.face = "Arial";
  font.sizePoints = 9;
  platform::TextMask mask;
  text.Render(font, line, mask);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x) {
      const int px = left + x, py = top + y;
      if (px < 0 || px >= page.width || py < 0 || py >= page.height) continue;
      const int coverage = mask.coverage[static_cast<std::size_t>(y) * mask.width + x];
      std::uint8_t* d = page.At(px, py);
      for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((0xF0 * coverage + d[c] * (255 - coverage)) / 255);
    }
}

// The game's files in a reading order: by name stem, then by number.
bool NaturalLess(const std::string& a, const std::string& b) {
  auto split = [](const std::string& name) {
    std::size_t digits = name.find_first_of("0123456789");
    if (digits == std::string::npos) return std::pair<std::string, long>(name, -1);
    return std::pair<std::string, long>(name.substr(0, digits), std::strtol(name.c_str() + digits, nullptr, 10));
  };
  return split(a) < split(b);
}

struct Entry {
  std::string title;
  std::vector<std::vector<Image>> rows;  // one row per sub-sprite (or one for the frames)
  int width = 0, height = 0;
};

int RunContactSheet(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError(kContactSheet);
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(args[0], error))
    if (item.path().extension() == ".clp") names.push_back(item.path().filename().string());
  if (error || names.empty()) {
    std::fprintf(stderr, "tavlero-tool: no picture containers in '%s'\n", args[0].c_str());
    return 1;
  }
  std::sort(names.begin(), names.end(), NaturalLess);

  std::vector<Entry> entries;
  for (const auto& name : names) {
    OSprite sprite;
    Entry entry;
    if (!sprite.Load(args[0] + "/" + name)) {
      entry.title = name + ": does not load";
    } else if (sprite.subSprites.empty()) {
      entry.title = name + ": " + std::to_string(sprite.frames.size()) + " frames";
      entry.rows.emplace_back();
      for (const OSurface* frame : sprite.frames) entry.rows.back().push_back(FrameImage(*frame));
    } else {
      entry.title = name + ": " + std::to_string(sprite.subSprites.size()) + " sub-sprites x " +
                    std::to_string(sprite.subSprites[0]->frames.size()) + " frames";
      for (const OSprite* sub : sprite.subSprites) {
        entry.rows.emplace_back();
        for (const OSurface* frame : sub->frames) entry.rows.back().push_back(FrameImage(*frame));
      }
    }
    entry.width = 200;
    entry.height = kLabelHeight;
    for (const auto& row : entry.rows) {
      int rowWidth = 0, rowHeight = 0, x = 0;
      for (const auto& image : row) {
        if (x > 0 && x + image.width > kPageWidth - 2 * kMargin) {  // wrap long rows
          entry.height += rowHeight + kGap;
          x = 0;
          rowHeight = 0;
        }
        x += image.width + kGap;
        rowWidth = std::max(rowWidth, x);
        rowHeight = std::max(rowHeight, image.height);
      }
      entry.width = std::max(entry.width, rowWidth);
      entry.height += rowHeight + kGap;
    }
    entry.width = std::min(entry.width, kPageWidth - 2 * kMargin);
    entries.push_back(std::move(entry));
  }

  // Flow the entries into lines across the page.
  struct Spot {
    int x, y;
  };
  std::vector<Spot> spots;
  int x = kMargin, y = kMargin, lineHeight = 0;
  for (const auto& entry : entries) {
    if (x > kMargin && x + entry.width > kPageWidth - kMargin) {
      x = kMargin;
      y += lineHeight + 2 * kGap;
      lineHeight = 0;
    }
    spots.push_back({x, y});
    x += entry.width + 3 * kGap;
    lineHeight = std::max(lineHeight, entry.height);
  }
  Image page(kPageWidth, y + lineHeight + kMargin);
  for (std::size_t i = 0; i < page.rgba.size(); i += 4) {
    page.rgba[i] = page.rgba[i + 1] = page.rgba[i + 2] = 0x33;
    page.rgba[i + 3] = 255;
  }
  platform::SdlTextRenderer text;
  for (std::size_t e = 0; e < entries.size(); ++e) {
    const Entry& entry = entries[e];
    Label(page, text, entry.title, spots[e].x, spots[e].y);
    int top = spots[e].y + kLabelHeight;
    for (const auto& row : entry.rows) {
      int left = spots[e].x, rowHeight = 0;
      for (const auto& image : row) {
        if (left > spots[e].x && left + image.width > spots[e].x + entry.width) {
          top += rowHeight + kGap;
          left = spots[e].x;
          rowHeight = 0;
        }
        Place(page, image, left, top);
        left += image.width + kGap;
        rowHeight = std::max(rowHeight, image.height);
      }
      top += rowHeight + kGap;
    }
  }
  if (!WritePngRgba(args[1], page.width, page.height, page.rgba.data())) {
    std::fprintf(stderr, "tavlero-tool: cannot write '%s'\n", args[1].c_str());
    return 1;
  }
  std::printf("contact sheet: %zu files on %dx%d pixels in %s\n", entries.size(), page.width, page.height,
              args[1].c_str());
  return 0;
}

}  // namespace
}  // namespace tavlero::tool
