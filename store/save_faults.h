// The steps of writing a file safely, and a seam through which tests make any of them
// fail the way a full or failing disk would.
#pragma once

#include <cstddef>

namespace tavlero {

enum class SaveStep { kOpen, kWrite, kSync, kClose, kRename, kFolderSync };

const char* SaveStepName(SaveStep step);

// Called before each step of a save. Returning an errno value makes the step fail with
// it; 0 lets it run. For kWrite, lowering `*bytes` makes the system write fewer bytes
// than asked, as it may on a nearly full disk. Null (the default) does nothing.
using SaveFaultHook = int (*)(SaveStep step, std::size_t* bytes);
void SetSaveFaultHook(SaveFaultHook hook);

// The hook's verdict for a step (0 when there is no hook).
int InjectedSaveFault(SaveStep step, std::size_t* bytes = nullptr);

}  // namespace tavlero
