#pragma once
// Pieces the four export drivers share: the installation test, the output
// folder, attaching to PowerPoint, opening a file without a password prompt,
// and the closing steps.

#include <functional>
#include <string>
#include <string_view>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/AutomationRuntime.h"
#include "objectmodel/powerpoint/Enumerations.h"

namespace quillmere {

struct ExportContext;

inline constexpr std::string_view kPowerPointProgId = "PowerPoint.Application";
// Appended to a file name, these passwords make PowerPoint refuse a protected
// file with an error instead of showing a password prompt.
inline constexpr std::string_view kDummyPasswords = "::pinlerk::dosharvet";

struct DriverContext {
  AutomationRuntime& runtime;
  std::function<void()> processMessages;
};

bool IsPowerPointInstalled();
std::string PrepareOutputFolder(ExportContext& context, std::string_view outputFolder);
std::string TrimAtNull(std::string_view text);

// Tries the running instance, then (when allowed) starts one; records the
// application and was-running flag in the export context. Failures go to run.
// With a trace label, each attempt is traced first.
void Attach(ExportContext& context, DriverContext& ctx, StepRunner& run, bool tryRunning, bool allowStart,
            int firstStep, std::string_view traceLabel = {});

// Which driver opens: they differ in the name they pass on the second attempt
// and in whether the copy's custom properties are removed.
enum class OpenFlavour { PresentationExport, Thumbnails };

// The opening steps whose failures the open-error handler judges; later ones
// (remembering Saved, removing properties) are skipped on failure.
inline constexpr int kOpenStepsBegin = 100;
inline constexpr int kOpenStepsHandledEnd = 180;

// Opens presentationName (trimmed at NUL, written back) as an untitled copy:
// first with the dummy passwords, then without; clears Final; remembers Saved.
// Uses steps 100-199 of run.
Object OpenUntitledCopy(ExportContext& context, DriverContext& ctx, StepRunner& run, std::string& presentationName,
                        OpenFlavour flavour, bool& savedBefore);

// Logs label + "ERR_PRESENTATION_OPEN_FAILED " + the pending error's
// description + "-" + its number (+ " at " + its step when withStep).
void LogOpenFailure(ExportContext& context, std::string_view label, const StepRunner& run, bool withStep);

// Quits PowerPoint when the driver started it, releases it and lets it settle.
void ClosingSteps(ExportContext& context, DriverContext& ctx, std::string_view exitTrace);

// Restores Saved and closes the presentation, skipping failures.
void RestoreAndClose(const Object& presentation, bool savedBefore);

}  // namespace quillmere
