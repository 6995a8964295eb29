#include "component/drivers/DriverSupport.h"

#include "component/drivers/OpenErrorHandler.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/PowerPointVersion.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"
#include "utilities/registry/Registry.h"

namespace quillmere {
namespace {

constexpr int kStepSecurity = kOpenStepsBegin, kStepTrim = 110, kStepVersion = 120;
constexpr int kStepOpen2003 = kFirstOpenStep2003, kStepOpen2003Plain = 140;
constexpr int kStepOpen2007 = kFirstOpenStep2007, kStepOpen2007Plain = 160, kStepFinal = 170;
constexpr int kStepSaved = kOpenStepsHandledEnd, kStepDeleteProperties = 190;

constexpr std::string_view kCopyProperties[] = {"CorvantaUseProject", "CorvantaPath", "CorvantaProjectFull"};

}  // namespace

bool IsPowerPointInstalled() {
  try {
    cRegistry reg = PowerPointCurrentVersionKey();
    return !reg.GetValue().AsString().empty();
  } catch (const std::exception&) {
    return false;
  }
}

std::string TrimAtNull(std::string_view text) { return std::string(text.substr(0, text.find('\0'))); }

std::string PrepareOutputFolder(ExportContext& context, std::string_view outputFolder) {
  std::string folder = TrimSpaces(outputFolder);
  if (folder.empty()) {
    folder = GetTempFolder();
  } else {
    CreateFolderPath(folder);
    folder = AddPathSeparator(folder);
  }
  context.outputFolder = folder;
  return folder;
}

void Attach(ExportContext& context, DriverContext& ctx, StepRunner& run, bool tryRunning, bool allowStart,
            int firstStep, std::string_view traceLabel) {
  context.application = Object();
  if (tryRunning) {
    if (!traceLabel.empty()) Trace(std::string(traceLabel) + "Calling GetObject");
    run.Step(firstStep, [&] {
      context.application = ctx.runtime.GetObject(kPowerPointProgId);
      context.wasRunning = true;
    });
  }
  if (!context.application && allowStart && !run.Stopped()) {
    if (!traceLabel.empty()) Trace(std::string(traceLabel) + "Calling CreateObject");
    run.Step(firstStep + 1, [&] {
      context.application = ctx.runtime.CreateObject(kPowerPointProgId);
      context.wasRunning = false;
    });
  }
}

Object OpenUntitledCopy(ExportContext& context, DriverContext& ctx, StepRunner& run, std::string& presentationName,
                        OpenFlavour flavour, bool& savedBefore) {
  const Object& app = context.application;
  Object pres;
  int major = 0;
  run.Step(kStepSecurity, [&] { app.Put("AutomationSecurity", automation_security::kForceDisable); });
  run.Step(kStepTrim, [&] {
    presentationName = TrimAtNull(presentationName);
    if (flavour == OpenFlavour::PresentationExport && ctx.processMessages) ctx.processMessages();
  });
  run.Step(kStepVersion, [&] { major = MajorVersionOf(app); });
  if (major < 12) {
    run.Step(kStepOpen2003, [&] {
      pres = app.Child("Presentations")
                 .Call("Open", presentationName + std::string(kDummyPasswords), tri_state::kFalse, tri_state::kTrue,
                       tri_state::kFalse);
    });
    if (!pres)
      run.Step(kStepOpen2003Plain, [&] {
        pres = app.Child("Presentations")
                   .Call("Open", presentationName, tri_state::kFalse, tri_state::kTrue, tri_state::kFalse);
      });
  } else {
    std::string trimmed = TrimSpaces(presentationName);
    const std::string& first = flavour == OpenFlavour::Thumbnails ? trimmed : presentationName;
    run.Step(kStepOpen2007, [&] {
      pres = app.Child("Presentations")
                 .Call("Open2007", first + std::string(kDummyPasswords), tri_state::kFalse, tri_state::kTrue,
                       tri_state::kFalse, tri_state::kFalse);
    });
    if (!pres)
      run.Step(kStepOpen2007Plain, [&] {
        pres =
            app.Child("Presentations")
                .Call("Open2007", trimmed, tri_state::kFalse, tri_state::kTrue, tri_state::kFalse, tri_state::kFalse);
      });
    if (pres)
      run.Step(kStepFinal, [&] {
        if (pres.Get("Final").AsBool()) pres.Put("Final", false);
      });
  }
  if (!pres) return pres;
  run.Step(kStepSaved, [&] { savedBefore = pres.Get("Saved").AsLong() != 0; });
  if (flavour == OpenFlavour::PresentationExport) {
    int step = kStepDeleteProperties;
    for (std::string_view name : kCopyProperties) {
      // An absent property fails the lookup and is skipped.
      run.Step(step++, [&] { pres.Child("CustomDocumentProperties").Item(name).Call("Delete"); });
    }
  }
  return pres;
}

void LogOpenFailure(ExportContext& context, std::string_view label, const StepRunner& run, bool withStep) {
  std::string text = std::string(label) + "ERR_PRESENTATION_OPEN_FAILED " + run.LastErrorDescription() + "-" +
                     ErrorNumberText(run.LastErrorNumber());
  if (withStep) text += " at " + std::to_string(run.LastErrorStep());
  WriteExportLog(text);
  context.openFailure = run.LastErrorDescription();
}

void RestoreAndClose(const Object& presentation, bool savedBefore) {
  StepRunner run = SkippingSteps("Closing: ");
  run.Step(1, [&] { presentation.Put("Saved", savedBefore ? tri_state::kTrue : tri_state::kFalse); });
  run.Step(2, [&] { presentation.Call("Close"); });
}

void ClosingSteps(ExportContext& context, DriverContext& ctx, std::string_view exitTrace) {
  StepRunner run = SkippingSteps("Closing: ");
  if (!context.wasRunning && context.application) run.Step(1, [&] { context.application.Call("Quit"); });
  context.application = Object();
  if (ctx.processMessages) ctx.processMessages();
  context.SleepFor(static_cast<std::int32_t>(ctx.runtime.QuitSettleTime().count()));
  Trace(exitTrace);
}

}  // namespace quillmere
