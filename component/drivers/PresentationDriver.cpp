#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "component/drivers/OpenErrorHandler.h"
#include "objectmodel/ExportState.h"

namespace quillmere {

std::int32_t GetPresentationXML(DriverContext& ctx, std::string& presentationName, std::string& xmlPath,
                                std::string_view outputFolder, std::string_view slideList) {
  ExportState& state = CurrentExportState();
  OpenErrorState open;
  StepRunner run([&open](const ComError& e, int step) {
    if (step >= kOpenStepsBegin && step < kOpenStepsHandledEnd)
      return HandleOpenError(OpenDriver::PresentationExport, open, e, step);
    return StepAction::Continue;
  });

  Attach(ctx, run, true, true, 1);
  run.Step(3, [&] { PrepareOutputFolder(outputFolder); });
  state.presentationName = presentationName;
  if (!state.application)
    return run.LastErrorNumber() == hr::kElevationRequired ? ERR_ELEVATION_REQUIRED : ERR_COM_EXCEPTION;

  bool savedBefore = true;
  Object pres = OpenUntitledCopy(ctx, run, presentationName, OpenFlavour::PresentationExport, savedBefore);
  if (run.Stopped()) {
    if (open.runClosingSteps) ClosingSteps(ctx, "GetPresentationXML: Exit");
    return open.status;
  }
  if (!pres) {
    LogOpenFailure("GetPresentationXML: ", run, true);
    return ERR_PRESENTATION_OPEN_FAILED;
  }

  xmlPath = slideList.empty() ? WritePresentationInfo(pres, -1) : WriteSelectionInfo(pres, slideList);
  RestoreAndClose(pres, savedBefore);
  ClosingSteps(ctx, "GetPresentationXML: Exit");
  return ERR_SUCCESS;
}

}  // namespace quillmere
