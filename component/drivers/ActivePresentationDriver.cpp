#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "objectmodel/ExportContext.h"

namespace quillmere {

std::int32_t GetActivePresentationXML(ExportContext& context, DriverContext& ctx, std::string& xmlPath,
                                      std::string_view outputFolder) {
  StepRunner run([](const ComError&, int) { return StepAction::Continue; });

  Attach(context, ctx, run, true, false, 1);
  run.Step(3, [&] { PrepareOutputFolder(context, outputFolder); });
  if (!IsPowerPointInstalled()) return ERR_POWERPOINT_NOT_INSTALLED;
  if (!context.application) return ERR_COM_EXCEPTION;
  const Object& app = context.application;
  int count = 0;
  run.Step(4, [&] { count = app.Child("Presentations").Count(); });
  if (count == 0) return ERR_NO_ACTIVE_PRESENTATION;
  int visible = 0;
  run.Step(5, [&] { visible = app.Get("Visible").AsLong(); });
  if (visible != tri_state::kTrue) return ERR_POWERPOINT_NOT_VISIBLE;

  Object pres;
  bool savedBefore = true;
  run.Step(6, [&] {
    pres = app.Child("ActivePresentation");
    savedBefore = pres.Get("Saved").AsLong() != 0;
  });
  xmlPath = WritePresentationInfo(context, pres, -1);
  run.Step(7, [&] { pres.Put("Saved", savedBefore ? tri_state::kTrue : tri_state::kFalse); });
  // The user's PowerPoint stays open; only our reference goes.
  context.application = Object();
  return ERR_SUCCESS;
}

}  // namespace quillmere
