#include "app/dialog_placement.h"

#include "app/screen.h"

namespace tavlero {

void ShowDialogScreen(OScreen& dialog, OScreen** slot) {
  const int width = dialog.Width(), height = dialog.Height();
  dialog.SetRect((585 - width) / 2 + 60, (600 - height) / 2, width, height);
  dialog.ShowModal(slot);
}

}  // namespace tavlero
