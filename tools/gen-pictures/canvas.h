// Drawing helpers of the picture generator: a cairo canvas that turns into container
// frames, text through pango, and the recurring materials of the set (wood, brass,
// glossy pieces, plaques).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/picture_container_writer.h"

namespace gen_pictures {

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;
};

// 0xRRGGBB to a cairo colour.
constexpr Colour Hex(std::uint32_t rgb, double alpha = 1.0) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}
Colour Mix(const Colour& a, const Colour& b, double t);  // t = 0: a, t = 1: b
Colour Lighter(const Colour& c, double amount);          // towards white
Colour Darker(const Colour& c, double amount);           // towards black

void SetColour(cairo_t* cr, const Colour& colour);
void AddStop(cairo_pattern_t* pattern, double offset, const Colour& colour);
// Fills the current path with a vertical gradient from `top` at y0 to `bottom` at y1;
// with preserve the path stays for a stroke.
void FillVertical(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom,
                  bool preserve = false);

// One frame of a container as drawn, with the colour key that goes into its entry.
struct Look {
  tavlero::PictureFrame frame;
  std::int32_t colourKey = tavlero::clp::kNoKey;
  int offsetX = 0, offsetY = 0;
};

class Canvas {
 public:
  Canvas(int width, int height);  // fully transparent
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // An opaque picture stored as an enciphered JPEG stream, without a colour key.
  Look OpaqueJpeg(int quality = 92) const;
  // A picture with soft edges: raw pixels and an alpha plane. Invisible pixels take a
  // colour that no visible pixel has, and that colour is the frame's key, so a control
  // made of it can test hits by the key.
  Look RawWithAlpha() const;
  // A large picture with soft edges: enciphered JPEG plus an alpha plane. Invisible
  // pixels take the average visible colour, so no foreign colour bleeds into the
  // edges; no key.
  Look JpegWithAlpha(int quality = 92) const;
  // An opaque picture stored raw, without a key.
  Look OpaqueRaw() const;

 private:
  // Straight (not premultiplied) colour and opacity per pixel.
  void Unpremultiply(std::vector<std::uint8_t>& bgr, std::vector<std::uint8_t>& alpha) const;

  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// ---- shapes ---------------------------------------------------------------------

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Circle(cairo_t* cr, double cx, double cy, double radius);
// A soft shadow: a stack of fading shapes.
void SoftShadowCircle(cairo_t* cr, double cx, double cy, double radius, double spread, double alpha);
void SoftShadowRect(cairo_t* cr, double x, double y, double w, double h, double radius, double spread,
                    double alpha);

// Wood with a grain along x (horizontal) or y, filling the rectangle; deterministic for
// a given seed.
void Wood(cairo_t* cr, double x, double y, double w, double h, const Colour& base, const Colour& grain,
          bool horizontal, unsigned seed);
// A brass bevel around the rectangle, `thickness` wide, drawn inside it.
void BrassFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double thickness);
// A polished brass fill (vertical gradient).
cairo_pattern_t* BrassPattern(double y0, double y1);

// ---- text -----------------------------------------------------------------------

enum class Align { kLeft, kCentre, kRight };

struct Font {
  std::string family = "Liberation Serif";
  double size = 16;  // pixels
  bool bold = false;
  bool italic = false;
};

// Size of a line of text.
void MeasureText(cairo_t* cr, const std::string& text, const Font& font, double& width, double& height);
// Draws text so that its box is aligned at x and vertically centred on cy.
void DrawText(cairo_t* cr, const std::string& text, const Font& font, double x, double cy, Align align,
              const Colour& colour);
// The same with an engraved look: a dark line above and a light line below.
void DrawEngravedText(cairo_t* cr, const std::string& text, const Font& font, double x, double cy, Align align,
                      const Colour& colour, const Colour& shadow, const Colour& light);
// Largest size at most `size` at which the text fits into `width`.
double FitTextSize(cairo_t* cr, const std::string& text, Font font, double width);

// ---- deterministic noise --------------------------------------------------------

// Draws from the program's shared generator, restarted from the seed, so every
// picture comes out the same on every build. One Noise at a time.
class Noise {
 public:
  explicit Noise(unsigned seed);
  double Next();  // 0 ... 1
  double Range(double low, double high) { return low + (high - low) * Next(); }
};

}  // namespace gen_pictures
