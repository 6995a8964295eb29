#include "component/drivers/OpenErrorHandler.h"

#include "component/StatusCode.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"

namespace quillmere {
namespace {

constexpr std::string_view kLocation = " in Quillmere.cPPTInfoXML.GenerateThumbnails at line ";
constexpr int kBusyRetryLimit = 6;
constexpr int kBusyRetryDelayMs = 1500;

std::string Prefix(OpenDriver driver) {
  return driver == OpenDriver::PresentationExport ? "GetPresentationXML: " : "GenerateThumbnails: ";
}

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

}  // namespace

std::string OpenErrorLogText(OpenDriver driver, const ComError& error, int step) {
  return ErrorLogText(Prefix(driver), error, std::string(kLocation), step);
}

StepAction HandleOpenError(ExportContext& context, OpenDriver driver, OpenErrorState& state, const ComError& error,
                           int step) {
  const std::string& description = error.Description();
  if (error.Number() == hr::kElevationRequired) {
    WriteExportLog(OpenErrorLogText(driver, error, step));
    state.status = ERR_ELEVATION_REQUIRED;
    state.runClosingSteps = false;
    return StepAction::Stop;
  }
  if (Contains(description, ": Reenter the &password required") || Contains(description, ": The password is incorrect")) {
    WriteExportLog(OpenErrorLogText(driver, error, step));
    state.status = ERR_PASSWORD_PROTECTED_OPEN_FAILED;
    return StepAction::Stop;
  }
  if (Contains(description, ": PowerPoint could not open the file")) return StepAction::Continue;
  if (step == kFirstOpenStep2003 || step == kFirstOpenStep2007) {
    // Both drivers log a failed first attempt under the thumbnail label.
    WriteExportLog(OpenErrorLogText(OpenDriver::Thumbnails, error, step));
    Trace("GenerateThumbnails: Resuming next line.");
    return StepAction::Continue;
  }
  WriteExportLog(OpenErrorLogText(driver, error, step));
  if (driver == OpenDriver::PresentationExport || error.Number() == hr::kUnspecified) {
    state.status = ERR_COM_EXCEPTION;
    return StepAction::Stop;
  }
  if (error.Number() == hr::kCallRejected && state.busyRetries < kBusyRetryLimit) {
    ++state.busyRetries;
    context.SleepFor(kBusyRetryDelayMs);
    return StepAction::Retry;
  }
  return StepAction::Continue;
}

}  // namespace quillmere
