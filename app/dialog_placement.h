// Where a dialog-like screen appears: centred over the board part of the 800 x 600
// window (left of the side panel), keeping its size.
#pragma once

namespace tavlero {

class OScreen;

// Places the dialog at ((585 - width) / 2 + 60, (600 - height) / 2) and makes it the
// current screen in `slot`, over the screen that is current there now.
void ShowDialogScreen(OScreen& dialog, OScreen** slot);

}  // namespace tavlero
