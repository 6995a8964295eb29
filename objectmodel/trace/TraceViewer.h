#pragma once
// The developer's trace viewer: listens where Trace sends its records and
// prints each record as one line until stop is set.

#include <atomic>
#include <ostream>

namespace quillmere {

// Returns 0 when stopped, non-zero (with a message on err) when it cannot listen.
int RunTraceViewer(std::ostream& out, std::ostream& err, const std::atomic<bool>& stop);

}  // namespace quillmere
