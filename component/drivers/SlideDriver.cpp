#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "objectmodel/ExportState.h"
#include "objectmodel/powerpoint/PowerPointVersion.h"
#include "support/text/Text.h"

namespace quillmere {
std::int32_t GetSlideXML(DriverContext& ctx, std::string& presentationName, std::int32_t index, std::string& xmlPath,
                         std::string_view outputFolder) {
  if (!IsPowerPointInstalled()) return ERR_POWERPOINT_NOT_INSTALLED;
  ExportState& state = CurrentExportState();
  StepRunner run([](const ComError&, int) { return StepAction::Continue; });

  Attach(ctx, run, true, true, 1);
  run.Step(3, [&] { PrepareOutputFolder(outputFolder); });
  state.presentationName = presentationName;
  if (!state.application) return ERR_COM_EXCEPTION;
  const Object& app = state.application;

  // A presentation that is already open is exported in place and left open.
  int open = 0;
  run.Step(4, [&] { open = app.Child("Presentations").Count(); });
  for (int i = 1; i <= open; ++i) {
    Object candidate;
    std::string fullName;
    run.Step(5, [&] {
      candidate = app.Child("Presentations").Item(i);
      fullName = candidate.Get("FullName").AsString();
    });
    if (candidate && LowerAscii(fullName) == LowerAscii(presentationName)) {
      xmlPath = WritePresentationInfo(candidate, index);
      return ERR_SUCCESS;
    }
  }

  Object pres;
  int major = 0;
  run.Step(6, [&] { app.Put("AutomationSecurity", automation_security::kForceDisable); });
  presentationName = TrimAtNull(presentationName);
  run.Step(7, [&] { major = MajorVersionOf(app); });
  std::string name = presentationName + std::string(kDummyPasswords);
  run.Step(8, [&] {
    pres = major >= 12
               ? app.Child("Presentations")
                     .Call("Open2007", name, tri_state::kFalse, tri_state::kFalse, tri_state::kFalse, tri_state::kFalse)
               : app.Child("Presentations").Call("Open", name, tri_state::kFalse, tri_state::kFalse, tri_state::kFalse);
  });
  if (!pres) {
    LogOpenFailure("GetSlideXML: ", run, false);
    return ERR_PRESENTATION_OPEN_FAILED;
  }
  xmlPath = WritePresentationInfo(pres, index);
  run.Step(9, [&] { pres.Call("Close"); });
  return ERR_SUCCESS;
}

}  // namespace quillmere
