#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "objectmodel/ExportState.h"

namespace quillmere {

std::int32_t GetActivePresentationXML(DriverContext& ctx, std::string& xmlPath, std::string_view outputFolder) {
  ExportState& state = CurrentExportState();
  StepRunner run([](const ComError&, int) { return StepAction::Continue; });

  Attach(ctx, run, true, false, 1);
  run.Step(3, [&] { PrepareOutputFolder(outputFolder); });
  if (!IsPowerPointInstalled()) return ERR_POWERPOINT_NOT_INSTALLED;
  if (!state.application) return ERR_COM_EXCEPTION;
  const Object& app = state.application;
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
  xmlPath = WritePresentationInfo(pres, -1);
  run.Step(7, [&] { pres.Put("Saved", savedBefore ? tri_state::kTrue : tri_state::kFalse); });
  // The user's PowerPoint stays open; only our reference goes.
  state.application = Object();
  return ERR_SUCCESS;
}

}  // namespace quillmere
