#include "cli/Commands.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "cli/AbsolutePath.h"
#include "cli/ArchiveCommands.h"
#include "cli/BatchCommand.h"
#include "cli/BatchWorker.h"
#include "cli/Interrupt.h"
#include "cli/ProgressBar.h"
#include "cli/StatusText.h"
#include "component/DefaultRuntime.h"
#include "component/PPTInfo.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/trace/TraceViewer.h"
#include "support/files/Paths.h"

namespace quillmere::cli {
namespace {

// EX_UNAVAILABLE: the viewer has already said why it cannot listen.
constexpr int kTraceViewerUnavailable = 69;

}  // namespace

PPTInfoOptions EngineFor(const Invocation& run) {
  EngineChoices choices;
  choices.emulatedMajorVersion = run.emulatedVersion;
  choices.drawImages = !run.skipImages;
  // A batch already gives each worker a core: a second LibreOffice per
  // worker would only compete for them.
  choices.shareShapeImages = run.command != Command::BatchWorker;
  PPTInfoOptions options;
  options.runtime = MakeEngineRuntime(choices);
  return options;
}

namespace {

// A fresh folder for an export that names none; empty when none can be made.
std::string NewOutputFolder() {
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / "quillmere-XXXXXX").string();
  return !error && mkdtemp(pattern.data()) ? pattern : std::string();
}

std::int32_t Dispatch(const Invocation& run, PPTInfo& info, const std::string& output, std::string& xmlPath) {
  std::string deck = Absolute(run.deck);
  std::int32_t index = run.slideIndex;
  std::string list = run.slideList;
  switch (run.command) {
    case Command::Presentation: return info.PPTPresentation(deck, xmlPath, output);
    case Command::Slides: return info.PPTSlideSelection(deck, list, xmlPath, output);
    case Command::Slide: return info.PPTSlide(deck, index, xmlPath, output);
    case Command::Thumbnails: return info.GenerateThumbnails(deck, xmlPath, output);
    case Command::Trace:
    case Command::ArchiveList:
    case Command::ArchiveExtract:
    case Command::ArchivePack: break;
    case Command::Batch:
    case Command::BatchWorker:
    case Command::External: break;
  }
  return ERR_PRESENTATION_EXPORT_FAILURE;
}

// The export's status; openFailure says why its deck could not be opened.
std::int32_t Export(const Invocation& run, std::string& xmlPath, std::string& openFailure) {
  PPTInfo info(EngineFor(run));
  ProgressBar bar(stderr);
  info.Events().AbortConversion = [](bool& cancel) {
    if (InterruptRequested()) cancel = true;
  };
  info.Events().Progress = [&bar](std::int32_t& current, std::int32_t& max) { bar.Update(current, max); };
  // The export leaves its scratch files in the library's temporary folder,
  // which goes once the export is done; so the output must not default to it.
  const std::string output = run.outputFolder.empty() ? NewOutputFolder() : Absolute(run.outputFolder);
  const std::int32_t status = Dispatch(run, info, output, xmlPath);
  if (!output.empty()) RemoveTempFolder();
  openFailure = info.OpenFailure();
  bar.Finish(status == ERR_SUCCESS);
  // The description is complete without images; say once why they are missing.
  if (std::string why = info.TakeImageNotice(); !why.empty())
    std::cerr << "quillmere: images were not drawn: " << why << '\n';
  return status;
}

}  // namespace

int RunInvocation(const Invocation& run) {
  if (run.trace) SetTraceDebugOutput(true);
  if (run.command == Command::Trace)
    return RunTraceViewer(std::cout, std::cerr, InterruptRequested()) == 0 ? 0 : kTraceViewerUnavailable;
  if (IsArchiveCommand(run.command)) return RunArchiveCommand(run);
  if (run.command == Command::Batch) return RunBatch(run);
  if (run.command == Command::BatchWorker) return RunBatchWorker(run);
  if (run.command == Command::External) return run.external(run);

  std::string xmlPath, openFailure;
  const std::int32_t status = Export(run, xmlPath, openFailure);
  if (status == ERR_SUCCESS)
    std::cout << xmlPath << '\n';
  else
    std::cerr << StatusLine(run.deck, status, OpenFailureReason(openFailure, Absolute(run.deck))) << '\n';
  return status;
}

}  // namespace quillmere::cli
