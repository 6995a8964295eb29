#include "objectmodel/ExportState.h"

#include "support/platform/Sleeper.h"

namespace quillmere {

ExportState& CurrentExportState() {
  thread_local ExportState state;
  return state;
}

void SleepFor(std::int32_t milliseconds) {
  if (auto& s = CurrentExportState().sleeper) s->Sleep(std::chrono::milliseconds(milliseconds));
}

}  // namespace quillmere
