#include "objectmodel/trace/TraceViewer.h"

#include "objectmodel/trace/TraceListener.h"

namespace quillmere {

int RunTraceViewer(std::ostream& out, std::ostream& err, const std::atomic<bool>& stop) {
  std::optional<TraceListener> listener = TraceListener::Open(err);
  if (!listener) return 1;
  listener->Run(out, stop);
  return 0;
}

}  // namespace quillmere
