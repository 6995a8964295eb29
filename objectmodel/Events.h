#pragma once
// How writers raise the public events: through the PPTInfo object of the
// thread (the most recently created one).

#include <cstdint>

namespace quillmere {

// True when the host asked to cancel. False when no PPTInfo exists.
bool CheckAbort();
// Clamps current to max (the caller's variable changes) and raises Progress.
void ReportProgress(std::int32_t& current, std::int32_t& max);

}  // namespace quillmere
