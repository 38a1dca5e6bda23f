// Copying a finished surface to the window.
#include <algorithm>
#include <cstdlib>

#include "app/window.h"
#include "gfx/rect.h"
#include "gfx/surface.h"
#include "platform/window_system.h"

namespace tavlero {

void OWindow::BlitSurface(const OSurface& surface, int x, int y, const ORect* source) {
  if (system_ == nullptr || !surface.HasPixels()) return;
  ORect area{0, 0, surface.Width(), surface.Height()};
  if (source != nullptr) {
    // The rectangle's width and height count as absolute values.
    area = {source->left, source->top, source->left + std::abs(source->Width()),
            source->top + std::abs(source->Height())};
    area = area.Intersection({0, 0, surface.Width(), surface.Height()});
  }
  if (area.IsEmpty()) return;
  system_->Blit(surface.PixelSource(), area.left, area.top, area.Width(), area.Height(), x + area.left,
                y + area.top);
}

}  // namespace tavlero
