#include "component/StatusCode.h"
#include "component/ThumbnailWriter.h"
#include "component/drivers/Drivers.h"
#include "component/drivers/OpenErrorHandler.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "support/registry/Settings.h"

namespace quillmere {

std::int32_t GenerateThumbnails(ExportContext& context, DriverContext& ctx, std::string& presentationName,
                                std::string& xmlPath, std::string_view outputFolder) {
  if (!IsPowerPointInstalled()) return ERR_POWERPOINT_NOT_INSTALLED;
  WriteExportLog("GenerateThumbnails: " + presentationName);
  if (ctx.runtime.MainWindowDisabled()) return ERR_DIALOG_OPEN;
  OpenErrorState open;
  StepRunner run([&context, &open](const ComError& e, int step) {
    return HandleOpenError(context, OpenDriver::Thumbnails, open, e, step);
  });
  auto finish = [&](std::int32_t status) {
    if (open.runClosingSteps) ClosingSteps(context, ctx, "GenerateThumbnails: Exit");
    return status;
  };

  Attach(context, ctx, run, UseGetObjectOption() == "1", true, 1, "GenerateThumbnails: ");
  run.Step(3, [&] { PrepareOutputFolder(context, outputFolder); });
  if (run.Stopped()) return finish(open.status);
  if (!context.application) return ERR_COM_EXCEPTION;
  run.Step(
      4, [&] { Trace("Generate Thumbnails: PowerPoint version - " + context.application.Get("Version").AsString()); });

  bool savedBefore = true;
  Object pres = OpenUntitledCopy(context, ctx, run, presentationName, OpenFlavour::Thumbnails, savedBefore);
  if (run.Stopped()) return finish(open.status);
  if (!pres) {
    LogOpenFailure(context, "GenerateThumbnails: ", run, true);
    return ERR_PRESENTATION_OPEN_FAILED;
  }
  xmlPath = WriteThumbnails(context, pres, run);
  RestoreAndClose(pres, savedBefore);
  return finish(run.Stopped() ? open.status : ERR_SUCCESS);
}

}  // namespace quillmere
