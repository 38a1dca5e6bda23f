#include "gfx/surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/services.h"
#include "platform/text_renderer.h"

namespace tavlero {
namespace {

inline std::uint32_t ReadColour(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16;
}

inline void WriteColour(std::uint8_t* p, std::uint32_t colour) {
  p[0] = static_cast<std::uint8_t>(colour);
  p[1] = static_cast<std::uint8_t>(colour >> 8);
  p[2] = static_cast<std::uint8_t>(colour >> 16);
}

// ((D - S) x t >> 8) + S per byte, with an arithmetic shift.
inline void Blend(std::uint8_t* d, const std::uint8_t* s, int t) {
  for (int i = 0; i < 3; ++i) d[i] = static_cast<std::uint8_t>((((d[i] - s[i]) * t) >> 8) + s[i]);
}

// Applies a combined transparency value t to one destination pixel.
inline void Apply(std::uint8_t* d, const std::uint8_t* s, int t) {
  if (t <= 0) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
  } else if (t < 255) {
    Blend(d, s, t);
  }
}

const std::shared_ptr<OSheet> kNoSheet;

}  // namespace

OTextStyle& DrawingStyle() {
  static OTextStyle style;
  return style;
}

OSurface::OSurface(int width, int height, const std::shared_ptr<OSheet>& sheet) {
  if (MakeStore(width, height, sheet)) {
    Clear();
  } else {
    failed = true;
  }
}

OSurface::OSurface(const OSurface& other)
    : offsetX(other.offsetX),
      offsetY(other.offsetY),
      failed(other.failed),
      transparencyLevel(other.transparencyLevel),
      colourKey(other.colourKey),
      store_(other.store_) {
  if (store_) ++store_->shareCount;
}

OSurface::~OSurface() { ReleaseStore(); }

bool OSurface::MakeStore(int width, int height, const std::shared_ptr<OSheet>& sheet) {
  if (width < 0 || height < 0) return false;
  auto* store = new (std::nothrow) OPixelStore();
  if (!store) return false;
  if (sheet && sheet->Fits(width, height)) {
    store->sheet = sheet;
    store->xInSheet = sheet->nextFreeX;
    sheet->nextFreeX += width;
  } else {
    // No sheet given, or the picture does not fit in the one given: a sheet of its own,
    // so a picture can never write past its bitmap.
    store->sheet = OSheet::Create(width, height);
    if (!store->sheet) {
      delete store;
      return false;
    }
  }
  ++store->sheet->users;
  store->width = width;
  store->height = height;
  store_ = store;
  return true;
}

void OSurface::ReleaseStore() {
  if (!store_) return;
  if (store_->shareCount > 0) {
    --store_->shareCount;
  } else {
    --store_->sheet->users;
    delete store_;
  }
  store_ = nullptr;
}

bool OSurface::Resize(int width, int height, int newClearColour, const std::shared_ptr<OSheet>& sheet) {
  // The plane belongs to the store; a shared store keeps it for the other users.
  if (store_ && store_->shareCount == 0) store_->transparency.reset();
  ReleaseStore();
  if (!MakeStore(width, height, sheet)) {
    failed = true;
    return false;
  }
  failed = false;
  if (newClearColour != -1) clearColour = static_cast<std::uint32_t>(newClearColour) & 0xFFFFFF;
  Clear();
  return true;
}

std::uint8_t* OSurface::Pixels() const {
  if (!store_) return nullptr;
  const OSheet& sheet = *store_->sheet;
  return sheet.bits + static_cast<std::size_t>(store_->yInSheet) * sheet.stride + store_->xInSheet * 3;
}

const std::shared_ptr<OSheet>& OSurface::Sheet() const { return store_ ? store_->sheet : kNoSheet; }

void OSurface::Clear(const ORect* rect) {
  if (!store_) return;
  ORect area{0, 0, Width(), Height()};
  if (rect) area = area.Intersection(*rect);
  if (area.IsEmpty()) return;
  std::uint8_t pattern[3];
  WriteColour(pattern, clearColour);
  for (int row = area.top; row < area.bottom; ++row) {
    std::uint8_t* p = Row(row) + area.left * 3;
    for (int i = area.left; i < area.right; ++i, p += 3) {
      p[0] = pattern[0];
      p[1] = pattern[1];
      p[2] = pattern[2];
    }
  }
}

void OSurface::SetColourKey(int key) {
  if (key == -1) {
    colourKey = Width() > 0 && Height() > 0 ? static_cast<int>(PixelAt(0, 0)) : -1;
  } else {
    colourKey = key;
  }
}

std::uint32_t OSurface::PixelAt(int x, int y) const {
  if (!store_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return ReadColour(Row(y) + x * 3);
}

void OSurface::SetPixel(int x, int y, std::uint32_t colour) {
  if (!store_ || x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  WriteColour(Row(y) + x * 3, colour);
}

std::uint8_t* OSurface::CreateTransparencyPlane() {
  if (!store_) return nullptr;
  const std::size_t size = TransparencyPlaneSize(Width(), Height());
  store_->transparency.reset(new (std::nothrow) std::uint8_t[size]);
  if (store_->transparency) std::memset(store_->transparency.get(), 0xFF, size);
  return store_->transparency.get();
}

void OSurface::DropTransparencyPlane() {
  if (store_) store_->transparency.reset();
}

int OSurface::TransparencyAt(int x, int y) const {
  const std::uint8_t* plane = TransparencyPlane();
  if (!plane || x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return plane[static_cast<std::size_t>(Height() - 1 - y) * Width() + x];
}

platform::PixelSource OSurface::PixelSource() const {
  platform::PixelSource source;
  source.bottomRow = Pixels();
  source.stride = Stride();
  source.width = Width();
  source.height = Height();
  return source;
}

void OSurface::Draw(const OSurface* source, int x, int y, const ORect* sourceRect) {
  if (!source || !source->store_ || !store_) return;
  const int dw = Width(), dh = Height();
  if (x >= dw || y >= dh) return;

  // Where source pixel (0, 0) lands.
  int originX = x, originY = y;
  ORect src{0, 0, source->Width(), source->Height()};
  if (sourceRect) {
    originX -= sourceRect->left;
    originY -= sourceRect->top;
    src = src.Intersection(*sourceRect);
  }
  if (src.IsEmpty()) return;
  ORect dst{src.left + originX, src.top + originY, src.right + originX, src.bottom + originY};
  dst = dst.Intersection({0, 0, dw, dh});
  if (dst.IsEmpty()) return;

  const int w = dst.Width();
  const int sx = dst.left - originX;
  const int level = source->transparencyLevel;
  const std::uint32_t key = static_cast<std::uint32_t>(source->colourKey);
  const bool keyed = source->colourKey >= 0 && source->colourKey <= 0xFFFFFF;
  const std::uint8_t* plane = source->TransparencyPlane();
  std::uint8_t keyBytes[3];
  WriteColour(keyBytes, key);
  std::uint8_t silhouette[3];
  WriteColour(silhouette, clearColour);

  for (int row = dst.top; row < dst.bottom; ++row) {
    const int sy = row - originY;
    std::uint8_t* d = Row(row) + dst.left * 3;
    const std::uint8_t* s = source->Row(sy) + sx * 3;
    if (plane) {
      const std::uint8_t* t = plane + static_cast<std::size_t>(source->Height() - 1 - sy) * source->Width() + sx;
      for (int i = 0; i < w; ++i, d += 3, s += 3) Apply(d, s, t[i] + level);
    } else if (level <= 0) {
      if (!keyed) {
        std::memmove(d, s, static_cast<std::size_t>(w) * 3);
        continue;
      }
      for (int i = 0; i < w; ++i, d += 3, s += 3) {
        if (s[0] != keyBytes[0] || s[1] != keyBytes[1] || s[2] != keyBytes[2]) {
          d[0] = s[0];
          d[1] = s[1];
          d[2] = s[2];
        }
      }
    } else if (level < kSilhouetteLevel) {
      for (int i = 0; i < w; ++i, d += 3, s += 3) {
        if (!keyed || ReadColour(s) != key) Apply(d, s, level);
      }
    } else {
      for (int i = 0; i < w; ++i, d += 3, s += 3) {
        if (!keyed || ReadColour(s) != key) {
          d[0] = silhouette[0];
          d[1] = silhouette[1];
          d[2] = silhouette[2];
        }
      }
    }
  }
}

void OSurface::DrawSubPixel(const OSurface* source, double x, double y, const ORect* clip) {
  if (!source || !source->store_ || !store_) return;
  const std::uint8_t* plane = source->TransparencyPlane();
  if (!plane || !std::isfinite(x) || !std::isfinite(y)) return;
  const double fx = std::floor(x), fy = std::floor(y);
  if (fx >= Width() || fy >= Height() || fx < -65536.0 || fy < -65536.0) return;
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  // Weights in 1/256 steps for the right and lower neighbours.
  const int wx = std::clamp(static_cast<int>((x - fx) * 256.0), 0, 255);
  const int wy = std::clamp(static_cast<int>((y - fy) * 256.0), 0, 255);
  const int sw = source->Width(), sh = source->Height();

  // A shifted picture reaches one pixel further right and down.
  ORect dst{ix, iy, ix + sw + (wx > 0 ? 1 : 0), iy + sh + (wy > 0 ? 1 : 0)};
  dst = dst.Intersection({0, 0, Width(), Height()});
  if (clip) dst = dst.Intersection(*clip);
  if (dst.IsEmpty()) return;

  const int level = source->transparencyLevel;
  const int wLeft = wx, wRight = 256 - wx, wUpper = wy, wLower = 256 - wy;
  for (int row = dst.top; row < dst.bottom; ++row) {
    std::uint8_t* d = Row(row) + dst.left * 3;
    // Destination pixel (col, row) mixes source columns sx - 1, sx and rows sy - 1, sy.
    // Neighbours off the picture are invisible and lend the nearest edge pixel's colour.
    const int sy = row - iy;
    const int lowerRow = std::clamp(sy, 0, sh - 1), upperRow = std::clamp(sy - 1, 0, sh - 1);
    const bool lowerInside = sy < sh, upperInside = sy - 1 >= 0;
    const std::uint8_t* lower = source->Row(lowerRow);
    const std::uint8_t* upper = source->Row(upperRow);
    const std::uint8_t* lowerPlane = plane + static_cast<std::size_t>(sh - 1 - lowerRow) * sw;
    const std::uint8_t* upperPlane = plane + static_cast<std::size_t>(sh - 1 - upperRow) * sw;
    for (int col = dst.left; col < dst.right; ++col, d += 3) {
      const int sx = col - ix;
      const int right = std::clamp(sx, 0, sw - 1), left = std::clamp(sx - 1, 0, sw - 1);
      const bool rightInside = sx < sw, leftInside = sx - 1 >= 0;
      const int w00 = wLeft * wUpper, w10 = wRight * wUpper, w01 = wLeft * wLower, w11 = wRight * wLower;
      const std::uint8_t* ul = upper + left * 3;
      const std::uint8_t* ur = upper + right * 3;
      const std::uint8_t* ll = lower + left * 3;
      const std::uint8_t* lr = lower + right * 3;
      const int tul = upperInside && leftInside ? upperPlane[left] : 255;
      const int tur = upperInside && rightInside ? upperPlane[right] : 255;
      const int tll = lowerInside && leftInside ? lowerPlane[left] : 255;
      const int tlr = lowerInside && rightInside ? lowerPlane[right] : 255;
      std::uint8_t mixed[3];
      for (int i = 0; i < 3; ++i) {
        mixed[i] = static_cast<std::uint8_t>((ul[i] * w00 + ur[i] * w10 + ll[i] * w01 + lr[i] * w11) >> 16);
      }
      const int transparency = (tul * w00 + tur * w10 + tll * w01 + tlr * w11) >> 16;
      Apply(d, mixed, transparency + level);
    }
  }
}

namespace {

// The font the text renderer is asked for by a drawing style.
platform::FontSpec FontOf(const OTextStyle& style) {
  platform::FontSpec font;
  font.face = style.faceName;
  font.sizePoints = style.sizePoints;
  font.bold = (style.styleFlags & OTextStyle::kBold) != 0;
  font.italic = (style.styleFlags & OTextStyle::kItalic) != 0;
  font.underline = (style.styleFlags & OTextStyle::kUnderline) != 0;
  return font;
}

}  // namespace

void OSurface::DrawText(std::string_view text, int x, int y) {
  platform::TextRenderer* renderer = platform::CurrentServices().text;
  if (!renderer || !store_ || text.empty()) return;
  const OTextStyle& style = DrawingStyle();
  platform::TextMask mask;
  renderer->Render(FontOf(style), text, mask);
  if (mask.width <= 0 || mask.height <= 0 ||
      mask.coverage.size() < static_cast<std::size_t>(mask.width) * mask.height) {
    return;
  }
  const ORect area = ORect{x, y, x + mask.width, y + mask.height}.Intersection({0, 0, Width(), Height()});
  if (area.IsEmpty()) return;
  std::uint8_t ink[3];
  WriteColour(ink, style.textColour);
  for (int row = area.top; row < area.bottom; ++row) {
    const std::uint8_t* cover = mask.coverage.data() + static_cast<std::size_t>(row - y) * mask.width;
    std::uint8_t* d = Row(row) + area.left * 3;
    for (int col = area.left; col < area.right; ++col, d += 3) {
      const int c = cover[col - x];
      if (c == 0) continue;
      for (int i = 0; i < 3; ++i) d[i] = static_cast<std::uint8_t>((ink[i] * c + d[i] * (255 - c) + 127) / 255);
    }
  }
}

void OSurface::TextExtent(std::string_view text, int& width, int& height) {
  width = height = 0;
  platform::TextRenderer* renderer = platform::CurrentServices().text;
  if (!renderer) return;
  renderer->Measure(FontOf(DrawingStyle()), text, width, height);
}

void OSurface::ScaleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight,
                             int sourceStride, std::uint8_t* target, int targetWidth,
                             int targetHeight, int targetStride) {
  if (!source || !target || sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 ||
      targetHeight <= 0) {
    return;
  }
  // Pixel centres map onto each other; weights in 1/256 steps; edges are clamped.
  auto position = [](int i, int from, int to, int& index, int& weight) {
    const double p = (i + 0.5) * from / to - 0.5;
    const double base = std::floor(p);
    index = static_cast<int>(base);
    weight = static_cast<int>((p - base) * 256.0 + 0.5);
    if (weight >= 256) {
      ++index;
      weight = 0;
    }
  };
  for (int ty = 0; ty < targetHeight; ++ty) {
    int sy, wy;
    position(ty, sourceHeight, targetHeight, sy, wy);
    const int y0 = std::clamp(sy, 0, sourceHeight - 1), y1 = std::clamp(sy + 1, 0, sourceHeight - 1);
    const std::uint8_t* row0 = source + static_cast<std::size_t>(y0) * sourceStride;
    const std::uint8_t* row1 = source + static_cast<std::size_t>(y1) * sourceStride;
    std::uint8_t* out = target + static_cast<std::size_t>(ty) * targetStride;
    for (int tx = 0; tx < targetWidth; ++tx, out += 3) {
      int sx, wx;
      position(tx, sourceWidth, targetWidth, sx, wx);
      const int x0 = std::clamp(sx, 0, sourceWidth - 1) * 3, x1 = std::clamp(sx + 1, 0, sourceWidth - 1) * 3;
      for (int i = 0; i < 3; ++i) {
        const int top = row0[x0 + i] * (256 - wx) + row0[x1 + i] * wx;
        const int bottom = row1[x0 + i] * (256 - wx) + row1[x1 + i] * wx;
        out[i] = static_cast<std::uint8_t>((top * (256 - wy) + bottom * wy + 32768) >> 16);
      }
    }
  }
}

}  // namespace tavlero
