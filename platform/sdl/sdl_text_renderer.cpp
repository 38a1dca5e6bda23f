#include "platform/sdl/sdl_text_renderer.h"

#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/cp1251.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tavlero::platform {
namespace {

constexpr int kDotsPerInch = 96;
constexpr int kMinPoints = 1, kMaxPoints = 400;

struct FontFile {
  std::string path;
  int index = 0;
  bool bold = false, italic = false;  // what the file itself provides
};

// Loads fontconfig's configuration once. Its parser drops a few small blocks that live
// until the process ends; the leak checker of sanitizer builds is told to ignore them
// so that it reports only our own leaks.
bool StartFontconfig() {
  static const bool started = [] {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
    const bool ok = FcInit() == FcTrue;
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
    return ok;
  }();
  return started;
}

FontFile MatchFontFile(const FontSpec& font) {
  FontFile found;
  if (!StartFontconfig()) return found;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return found;
  const std::string family = Cp1251ToUtf8(font.face);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return found;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
    found.path = reinterpret_cast<const char*>(file);
    int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
    if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch)
      found.bold = weight >= FC_WEIGHT_DEMIBOLD;
    if (FcPatternGetInteger(match, FC_SLANT, 0, &slant) == FcResultMatch)
      found.italic = slant != FC_SLANT_ROMAN;
  }
  FcPatternDestroy(match);
  return found;
}

}  // namespace

SdlTextRenderer::~SdlTextRenderer() {
  for (OpenFont& open : fonts_)
    if (open.font != nullptr) TTF_CloseFont(open.font);
  if (ttfStarted_) TTF_Quit();
}

std::string SdlTextRenderer::FindFontFile(const FontSpec& font) { return MatchFontFile(font).path; }

int SdlTextRenderer::NominalHeight(const FontSpec& font) {
  const int points = std::clamp(font.sizePoints, kMinPoints, kMaxPoints);
  return static_cast<int>(std::ceil(points * kDotsPerInch / 72.0 * 1.15));
}

TTF_Font* SdlTextRenderer::FontFor(const FontSpec& request) {
  for (const OpenFont& open : fonts_)
    if (open.request == request) return open.font;

  if (!ttfStarted_ && !ttfFailed_) {
    if (TTF_Init() == 0) {
      ttfStarted_ = true;
    } else {
      ttfFailed_ = true;
      std::fprintf(stderr, "Cannot start font rendering: %s\n", TTF_GetError());
    }
  }
  TTF_Font* font = nullptr;
  if (ttfStarted_) {
    const FontFile file = MatchFontFile(request);
    const int points = std::clamp(request.sizePoints, kMinPoints, kMaxPoints);
    if (!file.path.empty())
      font = TTF_OpenFontIndexDPI(file.path.c_str(), points, file.index, kDotsPerInch, kDotsPerInch);
    if (font == nullptr) {
      std::fprintf(stderr, "No font for \"%s\" (%s); its text is not drawn\n",
                   Cp1251ToUtf8(request.face).c_str(), file.path.empty() ? "no match" : TTF_GetError());
    } else {
      // Slanting or thickening by rule only where the face has no such file.
      int style = TTF_STYLE_NORMAL;
      if (request.bold && !file.bold) style |= TTF_STYLE_BOLD;
      if (request.italic && !file.italic) style |= TTF_STYLE_ITALIC;
      if (request.underline) style |= TTF_STYLE_UNDERLINE;
      TTF_SetFontStyle(font, style);
    }
  }
  // A failure is remembered too, so that it is reported once per font.
  fonts_.push_back({request, font});
  return font;
}

void SdlTextRenderer::Measure(const FontSpec& request, std::string_view text, int& width, int& height) {
  width = 0;
  TTF_Font* font = FontFor(request);
  if (font == nullptr) {
    height = NominalHeight(request);
    return;
  }
  height = TTF_FontHeight(font);
  if (text.empty()) return;
  int measuredHeight = 0;
  if (TTF_SizeUTF8(font, Cp1251ToUtf8(text).c_str(), &width, &measuredHeight) != 0) width = 0;
}

void SdlTextRenderer::Render(const FontSpec& request, std::string_view text, TextMask& mask) {
  Measure(request, text, mask.width, mask.height);
  mask.coverage.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  TTF_Font* font = FontFor(request);
  if (font == nullptr || mask.width == 0) return;
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, Cp1251ToUtf8(text).c_str(), SDL_Color{255, 255, 255, 255});
  if (rendered == nullptr) return;
  // The blended surface is 32-bit ARGB; its alpha is the coverage.
  if (rendered->format->BytesPerPixel == 4 && SDL_LockSurface(rendered) == 0) {
    const int rows = std::min(mask.height, rendered->h), columns = std::min(mask.width, rendered->w);
    const Uint32 alphaMask = rendered->format->Amask;
    const int alphaShift = rendered->format->Ashift;
    for (int y = 0; y < rows; ++y) {
      const auto* in = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rendered->pixels) + y * rendered->pitch);
      std::uint8_t* out = &mask.coverage[static_cast<std::size_t>(y) * mask.width];
      for (int x = 0; x < columns; ++x) out[x] = static_cast<std::uint8_t>((in[x] & alphaMask) >> alphaShift);
    }
    SDL_UnlockSurface(rendered);
  }
  SDL_FreeSurface(rendered);
}

}  // namespace tavlero::platform
