#include "store/save_faults.h"

namespace tavlero {

namespace {
SaveFaultHook g_hook = nullptr;
}  // namespace

const char* SaveStepName(SaveStep step) {
  switch (step) {
    case SaveStep::kOpen: return "open";
    case SaveStep::kWrite: return "write";
    case SaveStep::kSync: return "fsync";
    case SaveStep::kClose: return "close";
    case SaveStep::kRename: return "rename";
    case SaveStep::kFolderSync: return "folder fsync";
  }
  return "?";
}

void SetSaveFaultHook(SaveFaultHook hook) { g_hook = hook; }

int InjectedSaveFault(SaveStep step, std::size_t* bytes) { return g_hook != nullptr ? g_hook(step, bytes) : 0; }

}  // namespace tavlero
