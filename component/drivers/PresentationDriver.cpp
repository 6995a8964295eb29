#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "component/drivers/OpenErrorHandler.h"
#include "objectmodel/ExportContext.h"

namespace quillmere {

std::int32_t GetPresentationXML(ExportContext& context, DriverContext& ctx, std::string& presentationName,
                                std::string& xmlPath, std::string_view outputFolder, std::string_view slideList) {
  OpenErrorState open;
  StepRunner run([&context, &open](const ComError& e, int step) {
    if (step >= kOpenStepsBegin && step < kOpenStepsHandledEnd)
      return HandleOpenError(context, OpenDriver::PresentationExport, open, e, step);
    return StepAction::Continue;
  });

  Attach(context, ctx, run, true, true, 1);
  run.Step(3, [&] { PrepareOutputFolder(context, outputFolder); });
  context.presentationName = presentationName;
  if (!context.application)
    return run.LastErrorNumber() == hr::kElevationRequired ? ERR_ELEVATION_REQUIRED : ERR_COM_EXCEPTION;

  bool savedBefore = true;
  Object pres = OpenUntitledCopy(context, ctx, run, presentationName, OpenFlavour::PresentationExport, savedBefore);
  if (run.Stopped()) {
    if (open.runClosingSteps) ClosingSteps(context, ctx, "GetPresentationXML: Exit");
    return open.status;
  }
  if (!pres) {
    LogOpenFailure(context, "GetPresentationXML: ", run, true);
    return ERR_PRESENTATION_OPEN_FAILED;
  }

  xmlPath = slideList.empty() ? WritePresentationInfo(context, pres, -1) : WriteSelectionInfo(context, pres, slideList);
  RestoreAndClose(pres, savedBefore);
  ClosingSteps(context, ctx, "GetPresentationXML: Exit");
  return ERR_SUCCESS;
}

}  // namespace quillmere
