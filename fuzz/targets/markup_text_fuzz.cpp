// The text box's markup: the first byte picks the box's width and the starting
// alignment, the rest is the text. It is laid out, appended to, and drawn from a line
// and from a pixel offset, as dialogs, labels and the help window draw their texts.
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "ui/text_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tavlero::OTextBox;
  tavlero::fuzz::InstallTextServices();
  const tavlero::fuzz::Selector selector = tavlero::fuzz::TakeSelector(tavlero::fuzz::AsText(data, size));
  const int width = 1 + static_cast<int>(selector.value / 6) * 12;
  const int alignment = static_cast<int>(selector.value % 6);
  const std::string text(selector.rest);

  OTextBox box(nullptr, 0, 0, width, 40, text, alignment, selector.value % 2 == 1, 0x202020);
  box.SetText(text, (alignment + 1) % 6, true);
  box.Render(box.LineCount() / 2, false);
  box.Render(box.TextHeight() / 3, true);
  box.Render(box.LineCount() + 1, false);
  return 0;
}
