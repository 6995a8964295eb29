#include "component/StepRunner.h"

#include <memory>

#include "component/ExportState.h"
#include "component/trace/ExportLog.h"
#include "component/trace/Trace.h"

namespace quillmere {
std::string ErrorLogText(const std::string& label, const ComError& error, const std::string& location, int step) {
  return label + ErrorNumberText(error.Number()) + ": " + error.Description() + location + std::to_string(step);
}

StepRunner WriterSteps(WriterForm form) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([form = std::move(form), retries](const ComError& e, int step) {
    std::string text = ErrorLogText(form.label, e, form.location, step);
    bool retryable = (e.Number() == hr::kCallRejected && form.retryBusy) ||
                     (e.Number() == hr::kUnspecified && form.retryUnspecified);
    if (!retryable) {
      WriteExportLog(text);
      return StepAction::Continue;
    }
    if (*retries <= kRetryLimit) {
      ++*retries;
      SleepFor(kRetryDelayMs);
      WriteExportLog(text + " - " + std::to_string(*retries));
      if (form.logRetryLines) WriteExportLog(form.label + "Retrying the command.");
      return StepAction::Retry;
    }
    WriteExportLog(text);
    if (form.logRetryLines) WriteExportLog(form.label + "Resuming execution.");
    return StepAction::Continue;
  });
}

StepRunner SkippingSteps(std::string label) {
  return StepRunner([label = std::move(label)](const ComError& e, int step) {
    Trace(ErrorLogText(label, e, " at step ", step));
    return StepAction::Continue;
  });
}

}  // namespace quillmere
