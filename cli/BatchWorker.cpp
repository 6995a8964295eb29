#include "cli/BatchWorker.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/BatchProtocol.h"
#include "cli/BatchSchedule.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/StatusText.h"
#include "component/drivers/DriverSupport.h"
#include "objectmodel/trace/ExportLog.h"
#include "support/files/Paths.h"

namespace quillmere::cli {
namespace {

namespace fs = std::filesystem;

// Tests stand in for a deck that never finishes with this: the export of the
// deck it names stops at its first abort check until an interrupt comes.
constexpr const char* kStallVariable = "QUILLMERE_BATCH_TEST_STALL";

void Reply(const std::vector<std::string>& fields) { std::cout << JoinFields(fields) << '\n' << std::flush; }

// Workers run side by side, so each logs into a folder of its own; the log
// of each export then goes into that deck's folder.
void KeepLogApart() { setenv("XDG_DATA_HOME", (GetTempFolder() + "data").c_str(), 1); }

void MoveLogInto(const std::string& folder) {
  const std::string log = ExportLogPath();
  std::error_code error;
  if (log.empty() || !fs::is_regular_file(log, error)) return;
  fs::create_directories(folder, error);
  // Usually another file system than the temporary folder, so no rename.
  fs::copy_file(log, fs::path(folder) / "export.log", fs::copy_options::overwrite_existing, error);
  fs::remove(log, error);
}

void WaitForInterrupt() {
  sigset_t interrupts, others;
  sigemptyset(&interrupts);
  sigaddset(&interrupts, SIGINT);
  sigaddset(&interrupts, SIGTERM);
  sigprocmask(SIG_BLOCK, &interrupts, &others);
  sigdelset(&others, SIGINT);
  sigdelset(&others, SIGTERM);
  while (!InterruptRequested()) sigsuspend(&others);
  sigprocmask(SIG_UNBLOCK, &interrupts, nullptr);
}

// The engine of the last export, kept running while the settings stay the same.
class WorkerEngine {
 public:
  explicit WorkerEngine(const Invocation& run) : run_(run) {}

  const PPTInfoOptions& For(const ExportSettings& settings) {
    if (application_ && settings.version == run_.emulatedVersion && settings.images != run_.skipImages) return engine_;
    application_ = Object();  // the old engine, and its LibreOffice, end first
    run_.emulatedVersion = settings.version;
    run_.skipImages = !settings.images;
    engine_ = EngineFor(run_);
    // Running for as long as the settings hold: each export attaches to it and leaves it running.
    application_ = engine_.runtime->CreateObject(kPowerPointProgId);
    return engine_;
  }

  std::string TakeImageNotice() { return engine_.runtime ? engine_.runtime->TakeImageNotice() : std::string(); }

 private:
  Invocation run_;
  PPTInfoOptions engine_;
  Object application_;
};

// Tells the batch how far the export is, once per step.
class ProgressReplies {
 public:
  void operator()(std::int32_t done, std::int32_t total) {
    if (done == last_.done && total == last_.total) return;
    last_ = {done, total};
    Reply({std::string(kReplyProgress), std::to_string(done), std::to_string(total)});
  }

 private:
  ExportProgress last_{-1, -1};
};

std::int32_t RunExport(PPTInfo& info, const BatchDeck& job, std::string& deck, std::string& xmlPath) {
  std::string slides = job.settings.slides;
  if (!slides.empty()) return info.PPTSlideSelection(deck, slides, xmlPath, job.outputFolder);
  return info.PPTPresentation(deck, xmlPath, job.outputFolder);
}

DeckOutcome ExportDeck(const PPTInfoOptions& engine, const BatchDeck& job) {
  PPTInfo info(engine);
  std::string deck = job.deck;
  const char* stall = std::getenv(kStallVariable);
  bool stalling = stall != nullptr && deck == stall;
  info.Events().AbortConversion = [&](bool& cancel) {
    if (stalling) {
      std::cerr << "quillmere: batch worker " << getpid() << " stalls on " << deck << " until interrupted" << std::endl;
      WaitForInterrupt();
      stalling = false;
    }
    if (InterruptRequested()) cancel = true;
  };
  ProgressReplies progress;
  info.Events().Progress = [&progress](std::int32_t& done, std::int32_t& total) { progress(done, total); };
  DeckOutcome outcome;
  std::string xmlPath;
  outcome.status = RunExport(info, job, deck, xmlPath);
  if (outcome.status == ERR_SUCCESS && job.settings.thumbnails) {
    std::string thumbnailsXml;
    outcome.status = info.GenerateThumbnails(deck, thumbnailsXml, (fs::path(job.outputFolder) / "thumbnails").string());
  }
  if (outcome.status == ERR_SUCCESS)
    outcome.xmlPath = xmlPath;
  else
    outcome.reason = OpenFailureReason(info.OpenFailure(), job.deck);
  return outcome;
}

}  // namespace

int RunBatchWorker(const Invocation& run) {
  // Whatever ends the batch, a second Ctrl-C included, ends its workers and so their renderers.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != run.workerParent) return ERR_USER_CANCEL;
  KeepLogApart();
  WorkerEngine engine(run);
  for (std::string line; std::getline(std::cin, line);) {
    const std::optional<BatchDeck> job = ParseExportJob(SplitFields(line));
    if (!job) {
      Reply({std::string(kReplyDone), std::to_string(ERR_PRESENTATION_EXPORT_FAILURE), "", "the worker got no deck"});
      continue;
    }
    const DeckOutcome outcome = ExportDeck(engine.For(job->settings), *job);
    MoveLogInto(job->outputFolder);
    if (std::string why = engine.TakeImageNotice(); !why.empty()) Reply({std::string(kReplyNotice), why});
    Reply({std::string(kReplyDone), std::to_string(outcome.status), outcome.xmlPath, outcome.reason});
  }
  RemoveTempFolder();  // the exports' scratch files and the worker's log folder
  return ERR_SUCCESS;
}

}  // namespace quillmere::cli
