// OSurface: one picture of 24-bit pixels in memory, with an optional per-pixel
// transparency plane, a colour key, a global transparency level, a drawing offset and
// an animation step.
//
// Pixels are 3 bytes, blue, green, red; rows run bottom-up (the picture's top row is
// its highest memory row) inside a sheet (gfx/sheet.h). A colour is written 0xRRGGBB;
// a pixel compares with a colour by reading its 3 bytes as a little-endian number.
// Copies of a surface share one pixel store, freed with the last of them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/rect.h"
#include "gfx/sheet.h"
#include "platform/window_system.h"

namespace tavlero {

// The pixels of a picture, shared by a surface and all its copies.
struct OPixelStore {
  int shareCount = 0;  // further surfaces sharing the store
  // width x height + 1 + width bytes, rows bottom-up like the pixels; 0 opaque ... 255
  // invisible. Null when the picture has no plane.
  std::unique_ptr<std::uint8_t[]> transparency;
  int width = 0, height = 0;
  int xInSheet = 0, yInSheet = 0;  // x in pixels from the left, y in rows from the bottom
  std::shared_ptr<OSheet> sheet;
};

// The text style record: one set, shared by every surface, used for all text drawing.
struct OTextStyle {
  std::uint32_t textColour = 0x000000;
  std::uint32_t backgroundColour = 0xFFFFFF;
  int styleFlags = 0;  // 1 bold, 2 italic, 4 underline
  int characterSet = 1;
  int sizePoints = 10;
  std::string faceName = "Arial";

  static constexpr int kBold = 1, kItalic = 2, kUnderline = 4;
  bool operator==(const OTextStyle&) const = default;
};

// The current drawing style (text drawing is window-thread only, so one set suffices).
OTextStyle& DrawingStyle();

// Puts the drawing style back when the scope ends, so whoever sets it for its own text
// leaves the next drawer the style it found.
class KeepDrawingStyle {
 public:
  KeepDrawingStyle() : saved_(DrawingStyle()) {}
  ~KeepDrawingStyle() { DrawingStyle() = saved_; }
  KeepDrawingStyle(const KeepDrawingStyle&) = delete;
  KeepDrawingStyle& operator=(const KeepDrawingStyle&) = delete;

 private:
  OTextStyle saved_;
};

class OSurface {
 public:
  // Silhouette threshold: from this transparency level on, a picture without a plane
  // is drawn as a silhouette in the destination's clear colour.
  static constexpr int kSilhouetteLevel = 256;

  // A width x height picture placed in the given sheet (when it still fits there) or in
  // a sheet of its own, cleared to the clear colour. Sets failed when no bitmap can be made.
  OSurface(int width, int height, const std::shared_ptr<OSheet>& sheet = nullptr);
  // Shares the other's pixels and copies its offsets, transparency level and colour
  // key; the animation step is not copied.
  OSurface(const OSurface& other);
  OSurface& operator=(const OSurface&) = delete;
  virtual ~OSurface();

  // Replaces the pixels with a new width x height store (in the sheet or its own) and
  // drops the transparency plane. On success takes the clear colour when it is not -1
  // and clears; on failure sets failed and returns false.
  bool Resize(int width, int height, int clearColour = -1,
              const std::shared_ptr<OSheet>& sheet = nullptr);
  // Fills the rectangle (clipped to the picture) or the whole picture with the clear colour.
  void Clear(const ORect* rect = nullptr);
  // -1 takes the colour of the top-left pixel as the key; any other value becomes the key.
  void SetColourKey(int key);

  // Draws a source surface, or the given rectangle of it, with the rectangle's top-left
  // at (x, y). The rectangle is clipped to the source (a part outside draws nothing and
  // the rest stays where it would have been) and the result to this surface.
  void Draw(const OSurface* source, int x, int y, const ORect* sourceRect = nullptr);
  // Draws a source with a transparency plane at a fractional position with bilinear
  // filtering; only the part inside clip (destination coordinates) when clip is given.
  void DrawSubPixel(const OSurface* source, double x, double y, const ORect* clip = nullptr);

  // Draws one line of CP1251 text in the current drawing style with its top-left at (x, y).
  void DrawText(std::string_view text, int x, int y);
  // The size of one line of text in the current drawing style (0 x 0 without a text renderer).
  static void TextExtent(std::string_view text, int& width, int& height);

  // Reads a JPEG file into the surface (the surface takes the file's size).
  static bool LoadJpegFile(OSurface& surface, const std::string& path, int option);

  // Resamples 24-bit pixel rows (either row order, kept as given) into a buffer of another
  // size with bilinear weights.
  static void ScaleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight,
                            int sourceStride, std::uint8_t* target, int targetWidth,
                            int targetHeight, int targetStride);

  // The picture's first pixel in memory (its bottom row, left end); null without pixels.
  std::uint8_t* Pixels() const;
  int Stride() const { return store_ && store_->sheet ? store_->sheet->stride : 0; }
  int Width() const { return store_ ? store_->width : 0; }
  int Height() const { return store_ ? store_->height : 0; }
  bool HasPixels() const { return store_ != nullptr; }
  // Row y counted from the top of the picture (0 <= y < height).
  std::uint8_t* Row(int y) const { return Pixels() + (Height() - 1 - y) * Stride(); }
  // The colour 0xRRGGBB at (x, y) from the top-left; 0 outside the picture.
  std::uint32_t PixelAt(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t colour);

  // Transparency plane: created filled with 255 (invisible); rows bottom-up.
  std::uint8_t* CreateTransparencyPlane();
  void DropTransparencyPlane();
  std::uint8_t* TransparencyPlane() const { return store_ ? store_->transparency.get() : nullptr; }
  static std::size_t TransparencyPlaneSize(int width, int height) {
    return static_cast<std::size_t>(width) * height + 1 + width;
  }
  // Transparency value at (x, y) from the top-left (0 when there is no plane).
  int TransparencyAt(int x, int y) const;

  // The picture's pixels as the window copy reads them (the picture's own rectangle).
  platform::PixelSource PixelSource() const;
  const OPixelStore* Store() const { return store_; }
  const std::shared_ptr<OSheet>& Sheet() const;

  int offsetX = 0, offsetY = 0;  // drawing offset relative to the owning sprite's position
  bool failed = false;
  std::uint32_t clearColour = 0xFFFFFF;
  // Added to every plane value when drawn; without a plane 0 opaque, 1 ... 255 blend,
  // 256 or more silhouette.
  int transparencyLevel = 0;
  // Animation step of this frame (see OSprite::OnFrame).
  int command = 0, argument1 = 0, argument2 = 0;
  int colourKey = -1;  // 0xRRGGBB transparent colour; -1 none

 private:
  bool MakeStore(int width, int height, const std::shared_ptr<OSheet>& sheet);
  void ReleaseStore();

  OPixelStore* store_ = nullptr;
};

}  // namespace tavlero
