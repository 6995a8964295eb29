#include "component/PresentationInfoWriter.h"
#include "component/StatusCode.h"
#include "component/drivers/Drivers.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/PowerPointVersion.h"
#include "support/text/Text.h"

namespace quillmere {
std::int32_t GetSlideXML(ExportContext& context, DriverContext& ctx, std::string& presentationName, std::int32_t index,
                         std::string& xmlPath, std::string_view outputFolder) {
  if (!IsPowerPointInstalled()) return ERR_POWERPOINT_NOT_INSTALLED;
  StepRunner run([](const ComError&, int) { return StepAction::Continue; });

  Attach(context, ctx, run, true, true, 1);
  run.Step(3, [&] { PrepareOutputFolder(context, outputFolder); });
  context.presentationName = presentationName;
  if (!context.application) return ERR_COM_EXCEPTION;
  const Object& app = context.application;

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
      xmlPath = WritePresentationInfo(context, candidate, index);
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
    LogOpenFailure(context, "GetSlideXML: ", run, false);
    return ERR_PRESENTATION_OPEN_FAILED;
  }
  xmlPath = WritePresentationInfo(context, pres, index);
  run.Step(9, [&] { pres.Call("Close"); });
  return ERR_SUCCESS;
}

}  // namespace quillmere
