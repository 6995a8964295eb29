#include "objectmodel/StepRunner.h"

#include <memory>

#include "objectmodel/ExportState.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"

namespace quillmere {
std::string ErrorLogText(const std::string& label, const ComError& error, const std::string& location, int step) {
  return label + ErrorNumberText(error.Number()) + ": " + error.Description() + location + std::to_string(step);
}

void LogWriterError(const ComError& error, const std::string& text) {
  if (error.Number() == hr::kAborted && !CurrentExportState().refusalsLogged.insert(error.Description()).second) return;
  WriteExportLog(text);
}

StepRunner WriterSteps(std::string location) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([location = std::move(location), retries](const ComError& e, int step) {
    std::string text = ErrorLogText("", e, location, step);
    Trace(text);
    LogWriterError(e, text);
    if (e.Number() != hr::kCallRejected || *retries > kRetryLimit) return StepAction::Continue;
    ++*retries;
    SleepFor(kRetryDelayMs);
    return StepAction::Retry;
  });
}

StepRunner SkippingSteps(std::string label) {
  return StepRunner([label = std::move(label)](const ComError& e, int step) {
    Trace(ErrorLogText(label, e, " at step ", step));
    return StepAction::Continue;
  });
}

}  // namespace quillmere
