#include "gfx/sheet.h"

#include <new>

namespace tavlero {

std::shared_ptr<OSheet> OSheet::Create(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  const int stride = StrideFor(width);
  // One spare row above the picture rows; at least one byte so a zero-sized sheet
  // still has a valid bits pointer.
  std::size_t bytes = static_cast<std::size_t>(stride) * (static_cast<std::size_t>(height) + 1);
  if (bytes == 0) bytes = 1;
  auto* memory = new (std::nothrow) std::uint8_t[bytes]();
  if (!memory) return nullptr;
  std::shared_ptr<OSheet> sheet(new (std::nothrow) OSheet());
  if (!sheet) {
    delete[] memory;
    return nullptr;
  }
  sheet->width = width;
  sheet->height = height;
  sheet->stride = stride;
  sheet->bits = memory;
  return sheet;
}

OSheet::~OSheet() { delete[] bits; }

bool OSheet::Fits(int pictureWidth, int pictureHeight) const {
  return pictureWidth >= 0 && pictureHeight >= 0 && pictureHeight <= height &&
         pictureWidth <= width - nextFreeX;
}

}  // namespace tavlero
