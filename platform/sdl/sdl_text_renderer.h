// Text in real outline fonts through SDL2_ttf. Faces are found by name with fontconfig,
// so "Arial" and "Times New Roman" resolve to their metric-compatible equivalents, and
// bold or italic pick the matching font file. Needs no window.
#pragma once

#include <string>
#include <vector>

#include "platform/text_renderer.h"

typedef struct _TTF_Font TTF_Font;

namespace tavlero::platform {

class SdlTextRenderer : public TextRenderer {
 public:
  SdlTextRenderer() = default;
  ~SdlTextRenderer() override;
  SdlTextRenderer(const SdlTextRenderer&) = delete;
  SdlTextRenderer& operator=(const SdlTextRenderer&) = delete;

  void Measure(const FontSpec& font, std::string_view text, int& width, int& height) override;
  void Render(const FontSpec& font, std::string_view text, TextMask& mask) override;

  // The font file a face resolves to (empty when none is found); for diagnostics.
  static std::string FindFontFile(const FontSpec& font);

 private:
  struct OpenFont {
    FontSpec request;
    TTF_Font* font = nullptr;  // null when no usable font was found
  };
  // The cached font for a font request, opened on first use; null when none can be opened.
  TTF_Font* FontFor(const FontSpec& font);
  // Line height when no font can be opened, so that layouts still advance.
  static int NominalHeight(const FontSpec& font);

  bool ttfStarted_ = false;
  bool ttfFailed_ = false;
  std::vector<OpenFont> fonts_;
};

}  // namespace tavlero::platform
