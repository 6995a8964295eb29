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
#include "component/trace/ExportLog.h"
#include "engine/objects/SlideImages.h"
#include "support/Paths.h"

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

DeckOutcome ExportDeck(const PPTInfoOptions& engine, std::string deck, const std::string& folder) {
  PPTInfo info(engine);
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
  DeckOutcome outcome;
  const std::string opened = deck;
  std::string xmlPath;
  outcome.status = info.PPTPresentation(deck, xmlPath, folder);
  if (outcome.status == ERR_SUCCESS)
    outcome.xmlPath = xmlPath;
  else
    outcome.reason = OpenFailureReason(info.OpenFailure(), opened);
  return outcome;
}

}  // namespace

int RunBatchWorker(const Invocation& run) {
  // Whatever ends the batch, a second Ctrl-C included, ends its workers and so their renderers.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != run.workerParent) return ERR_USER_CANCEL;
  KeepLogApart();
  const PPTInfoOptions engine = EngineFor(run);
  // Running for as long as the worker: each export attaches to it and leaves it running.
  const Object application = engine.runtime->CreateObject(kPowerPointProgId);

  for (std::string line; std::getline(std::cin, line);) {
    const std::vector<std::string> job = SplitFields(line);
    if (job.size() != 3 || job[0] != kJobExport) {
      Reply({std::string(kReplyDone), std::to_string(ERR_PRESENTATION_EXPORT_FAILURE), "", "the worker got no deck"});
      continue;
    }
    const DeckOutcome outcome = ExportDeck(engine, job[1], job[2]);
    MoveLogInto(job[2]);
    if (std::string why = engine::TakeImageNotice(); !why.empty()) Reply({std::string(kReplyNotice), why});
    Reply({std::string(kReplyDone), std::to_string(outcome.status), outcome.xmlPath, outcome.reason});
  }
  RemoveTempFolder();  // the exports' scratch files and the worker's log folder
  return ERR_SUCCESS;
}

}  // namespace quillmere::cli
