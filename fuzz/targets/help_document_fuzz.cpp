// The help document. The first byte picks the form: even, the rest is the markup text
// inside cfg/help.dat, sealed with the help key and shown in the help window's document
// view, which scrolls by pixels; odd, the rest is a plain text file, the view's key-less
// mode, shown in a view that scrolls by lines. The view is then scrolled by keys and by
// dragging its thumb.
#include <cstdint>
#include <string>

#include "app/screen.h"
#include "fuzz_support.h"
#include "gfx/sprite.h"
#include "platform/window_system.h"
#include "store/sealed_file.h"
#include "ui/document_view.h"
#include "ui/help_window.h"

namespace {

using namespace tavlero;

// Holds the view's sprites; it never draws them, so its own picture is kept tiny.
class HelpScreen : public OScreen {
 public:
  HelpScreen() : OScreen(nullptr, 0, 0, 16, 16) {}
};

// A scroll bar part: one plain frame of the given size.
void MakePart(OSprite& sprite, int width, int height) {
  sprite.AddFrame(new OSurface(width, height));
}

// The help window's view, cut to two lines' height: the layout depends on the width
// alone, and a short view scrolls through more of the document for less drawing.
DocumentViewPlace ShortHelpPlace() {
  DocumentViewPlace place = HelpViewPlace();
  place.height = 50;
  return place;
}

void Exercise(ODocumentView& view) {
  namespace vk = platform::vk;
  view.KeyDown(vk::kPageDown);
  view.KeyDown(vk::kEnd);
  // Drag the thumb up the track and past its top, then let go.
  const OSprite& thumb = *view.Thumb();
  const int grabX = static_cast<int>(thumb.x) + 1, grabY = static_cast<int>(thumb.y) + 1;
  if (view.LButtonDown(grabX, grabY)) {
    view.Tick(grabY - 12);
    view.Tick(-100000);
    view.LButtonUp(grabX, -100000);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InstallTextServices();
  const fuzz::Selector selector = fuzz::TakeSelector(fuzz::AsText(data, size));
  const bool plainFile = selector.value % 2 == 1;
  // Parts small enough to leave the thumb a track to move along in the short view.
  OSprite up, down, thumb;
  MakePart(up, 16, 8);
  MakePart(down, 16, 8);
  MakePart(thumb, 16, 10);
  HelpScreen screen;
  ODocumentView view(screen, ShortHelpPlace(), up, down, thumb, HelpTextStyle(), !plainFile);
  if (plainFile) {
    const fuzz::MemoryFile file(selector.rest);
    view.Load(file.Path(), "");
  } else {
    const fuzz::MemoryFile file(SealBytes(selector.rest, kHelpKey));
    view.Load(file.Path(), kHelpKey);
  }
  Exercise(view);
  return 0;
}
