#include "objectmodel/StepRunner.h"

#include <memory>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"

namespace quillmere {
std::string ErrorLogText(const std::string& label, const ComError& error, const std::string& location, int step) {
  return label + ErrorNumberText(error.Number()) + ": " + error.Description() + location + std::to_string(step);
}

void LogWriterError(ExportContext& context, const ComError& error, const std::string& text) {
  if (error.Number() == hr::kAborted && !context.refusalsLogged.insert(error.Description()).second) return;
  WriteExportLog(text);
}

StepRunner WriterSteps(ExportContext& context, std::string location) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([&context, location = std::move(location), retries](const ComError& e, int step) {
    std::string text = ErrorLogText("", e, location, step);
    Trace(text);
    LogWriterError(context, e, text);
    if (e.Number() != hr::kCallRejected || *retries > kRetryLimit) return StepAction::Continue;
    ++*retries;
    context.SleepFor(kRetryDelayMs);
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
