#include "canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "platform/random.h"

namespace gen_pictures {

using tavlero::PictureFrame;

Colour Mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
Colour Lighter(const Colour& c, double amount) { return Mix(c, {1, 1, 1, c.a}, amount); }
Colour Darker(const Colour& c, double amount) { return Mix(c, {0, 0, 0, c.a}, amount); }

void SetColour(cairo_t* cr, const Colour& c) { cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a); }
void AddStop(cairo_pattern_t* pattern, double offset, const Colour& c) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, c.a);
}

void FillVertical(cairo_t* cr, double y0, double y1, const Colour& top, const Colour& bottom, bool preserve) {
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(gradient, 0, top);
  AddStop(gradient, 1, bottom);
  cairo_set_source(cr, gradient);
  if (preserve) {
    cairo_fill_preserve(cr);
  } else {
    cairo_fill(cr);
  }
  cairo_pattern_destroy(gradient);
}

Noise::Noise(unsigned seed) { tavlero::SeedRand(seed); }
double Noise::Next() { return tavlero::Rand() / static_cast<double>(tavlero::kRandMax); }

// ---- canvas ---------------------------------------------------------------------

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Unpremultiply(std::vector<std::uint8_t>& bgr, std::vector<std::uint8_t>& alpha) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  bgr.resize(static_cast<std::size_t>(width_) * height_ * 3);
  alpha.resize(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(stride) * y);
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      const std::size_t i = static_cast<std::size_t>(y) * width_ + x;
      unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (a > 0 && a < 255) {
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
      }
      bgr[i * 3 + 0] = static_cast<std::uint8_t>(b);
      bgr[i * 3 + 1] = static_cast<std::uint8_t>(g);
      bgr[i * 3 + 2] = static_cast<std::uint8_t>(r);
      alpha[i] = static_cast<std::uint8_t>(255 - a);  // 0 opaque ... 255 invisible
    }
  }
}

Look Canvas::OpaqueJpeg(int quality) const {
  std::vector<std::uint8_t> bgr, alpha;
  Unpremultiply(bgr, alpha);
  return {PictureFrame::Jpeg(width_, height_, std::move(bgr), {}, quality), tavlero::clp::kNoKey};
}

Look Canvas::OpaqueRaw() const {
  std::vector<std::uint8_t> bgr, alpha;
  Unpremultiply(bgr, alpha);
  return {PictureFrame::Raw(width_, height_, std::move(bgr)), tavlero::clp::kNoKey};
}

Look Canvas::RawWithAlpha() const {
  std::vector<std::uint8_t> bgr, alpha;
  Unpremultiply(bgr, alpha);
  std::set<std::uint32_t> visible;
  for (std::size_t i = 0; i < alpha.size(); ++i)
    if (alpha[i] < 255) visible.insert(bgr[i * 3] | (bgr[i * 3 + 1] << 8) | (bgr[i * 3 + 2] << 16));
  std::uint32_t key = 0xFF00FF;
  while (visible.count(key)) key = (key + 0x010203) & 0xFFFFFF;
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    if (alpha[i] != 255) continue;
    bgr[i * 3 + 0] = key & 0xFF;
    bgr[i * 3 + 1] = (key >> 8) & 0xFF;
    bgr[i * 3 + 2] = (key >> 16) & 0xFF;
  }
  return {PictureFrame::Raw(width_, height_, std::move(bgr), std::move(alpha)), static_cast<std::int32_t>(key)};
}

Look Canvas::JpegWithAlpha(int quality) const {
  std::vector<std::uint8_t> bgr, alpha;
  Unpremultiply(bgr, alpha);
  double sum[3] = {0, 0, 0};
  double count = 0;
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    if (alpha[i] == 255) continue;
    for (int c = 0; c < 3; ++c) sum[c] += bgr[i * 3 + c];
    count += 1;
  }
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    if (alpha[i] != 255) continue;
    for (int c = 0; c < 3; ++c) bgr[i * 3 + c] = static_cast<std::uint8_t>(count > 0 ? sum[c] / count : 0);
  }
  return {PictureFrame::Jpeg(width_, height_, std::move(bgr), std::move(alpha), quality), tavlero::clp::kNoKey};
}

// ---- shapes ---------------------------------------------------------------------

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void SoftShadowCircle(cairo_t* cr, double cx, double cy, double radius, double spread, double alpha) {
  const int steps = 8;
  for (int i = steps; i >= 1; --i) {
    Circle(cr, cx, cy, radius + spread * i / steps);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
    cairo_fill(cr);
  }
}

void SoftShadowRect(cairo_t* cr, double x, double y, double w, double h, double radius, double spread,
                    double alpha) {
  const int steps = 8;
  for (int i = steps; i >= 1; --i) {
    const double s = spread * i / steps;
    RoundedRect(cr, x - s, y - s, w + 2 * s, h + 2 * s, radius + s);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
    cairo_fill(cr);
  }
}

void Wood(cairo_t* cr, double x, double y, double w, double h, const Colour& base, const Colour& grain,
          bool horizontal, unsigned seed) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  SetColour(cr, base);
  cairo_paint(cr);
  Noise noise(seed);
  const double length = horizontal ? w : h;
  const double across = horizontal ? h : w;
  // Broad bands of lighter and darker wood.
  const int bands = static_cast<int>(across / 9) + 3;
  for (int i = 0; i < bands; ++i) {
    const double at = noise.Range(-4, across + 4);
    const double thickness = noise.Range(3, 12);
    const Colour tone = noise.Next() < 0.5 ? Lighter(base, noise.Range(0.04, 0.12)) : Darker(base, noise.Range(0.04, 0.14));
    cairo_set_source_rgba(cr, tone.r, tone.g, tone.b, 0.55);
    cairo_set_line_width(cr, thickness);
    const double phase = noise.Range(0, 6.3), wave = noise.Range(0.6, 3.0), period = noise.Range(60, 220);
    for (double t = -10; t <= length + 10; t += 6) {
      const double offset = at + wave * std::sin(t / period * 2 * M_PI + phase);
      if (horizontal)
        t < -9 ? cairo_move_to(cr, x + t, y + offset) : cairo_line_to(cr, x + t, y + offset);
      else
        t < -9 ? cairo_move_to(cr, x + offset, y + t) : cairo_line_to(cr, x + offset, y + t);
    }
    cairo_stroke(cr);
  }
  // Fine grain lines.
  const int lines = static_cast<int>(across / 2.2) + 4;
  for (int i = 0; i < lines; ++i) {
    const double at = noise.Range(-2, across + 2);
    const double alpha = noise.Range(0.08, 0.35);
    cairo_set_source_rgba(cr, grain.r, grain.g, grain.b, alpha);
    cairo_set_line_width(cr, noise.Range(0.4, 1.4));
    const double phase = noise.Range(0, 6.3), wave = noise.Range(0.5, 2.5), period = noise.Range(40, 180);
    const double start = noise.Range(-20, length * 0.3), stop = noise.Range(length * 0.6, length + 20);
    for (double t = start; t <= stop; t += 5) {
      const double offset = at + wave * std::sin(t / period * 2 * M_PI + phase);
      if (horizontal)
        t == start ? cairo_move_to(cr, x + t, y + offset) : cairo_line_to(cr, x + t, y + offset);
      else
        t == start ? cairo_move_to(cr, x + offset, y + t) : cairo_line_to(cr, x + offset, y + t);
    }
    cairo_stroke(cr);
  }
  // A soft sheen across the grain.
  cairo_pattern_t* sheen = horizontal ? cairo_pattern_create_linear(0, y, 0, y + h)
                                      : cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.07);
  cairo_pattern_add_color_stop_rgba(sheen, 0.45, 1, 1, 1, 0.0);
  cairo_pattern_add_color_stop_rgba(sheen, 1, 0, 0, 0, 0.10);
  cairo_set_source(cr, sheen);
  cairo_paint(cr);
  cairo_pattern_destroy(sheen);
  cairo_restore(cr);
}

cairo_pattern_t* BrassPattern(double y0, double y1) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  AddStop(p, 0.0, Hex(0xF6E39A));
  AddStop(p, 0.35, Hex(0xD4AE52));
  AddStop(p, 0.6, Hex(0xA9822F));
  AddStop(p, 1.0, Hex(0xE2C16C));
  return p;
}

void BrassFrame(cairo_t* cr, double x, double y, double w, double h, double radius, double thickness) {
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, radius);
  RoundedRect(cr, x + thickness, y + thickness, w - 2 * thickness, h - 2 * thickness,
              std::max(0.0, radius - thickness));
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_pattern_t* brass = BrassPattern(y, y + h);
  cairo_set_source(cr, brass);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(brass);
  cairo_new_path(cr);
  // Bevel lines: light outside top, dark inside.
  cairo_set_line_width(cr, 1);
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  cairo_set_source_rgba(cr, 0.25, 0.17, 0.05, 0.8);
  cairo_stroke(cr);
  RoundedRect(cr, x + thickness - 0.5, y + thickness - 0.5, w - 2 * thickness + 1, h - 2 * thickness + 1,
              std::max(0.0, radius - thickness));
  cairo_set_source_rgba(cr, 0.30, 0.20, 0.06, 0.9);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// ---- text -----------------------------------------------------------------------

namespace {

PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const Font& font) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.family.c_str());
  pango_font_description_set_absolute_size(description, font.size * PANGO_SCALE);
  pango_font_description_set_weight(description, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  pango_layout_set_text(layout, text.c_str(), -1);
  return layout;
}

}  // namespace

void MeasureText(cairo_t* cr, const std::string& text, const Font& font, double& width, double& height) {
  PangoLayout* layout = MakeLayout(cr, text, font);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  width = logical.width;
  height = logical.height;
  g_object_unref(layout);
}

void DrawText(cairo_t* cr, const std::string& text, const Font& font, double x, double cy, Align align,
              const Colour& colour) {
  PangoLayout* layout = MakeLayout(cr, text, font);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  double left = x;
  if (align == Align::kCentre) left = x - logical.width / 2.0;
  if (align == Align::kRight) left = x - logical.width;
  // Centre the capital letters on cy, so that every label of a set sits on the same
  // baseline in the middle of its button whatever letters it has.
  PangoLayout* capitals = MakeLayout(cr, "Н", font);
  PangoRectangle capitalInk, capitalLogical;
  pango_layout_get_pixel_extents(capitals, &capitalInk, &capitalLogical);
  g_object_unref(capitals);
  const double top = cy - (capitalInk.y + capitalInk.height / 2.0);
  cairo_save(cr);
  SetColour(cr, colour);
  cairo_move_to(cr, std::round(left), std::round(top));
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
}

void DrawEngravedText(cairo_t* cr, const std::string& text, const Font& font, double x, double cy, Align align,
                      const Colour& colour, const Colour& shadow, const Colour& light) {
  DrawText(cr, text, font, x, cy + 1, align, light);
  DrawText(cr, text, font, x, cy - 1, align, shadow);
  DrawText(cr, text, font, x, cy, align, colour);
}

double FitTextSize(cairo_t* cr, const std::string& text, Font font, double width) {
  for (;;) {
    double w = 0, h = 0;
    MeasureText(cr, text, font, w, h);
    if (w <= width || font.size <= 8) return font.size;
    font.size -= 0.5;
  }
}

}  // namespace gen_pictures
