#include "cli/BatchCommand.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <set>
#include <thread>

#include "cli/AbsolutePath.h"
#include "cli/BatchFolders.h"
#include "cli/BatchProtocol.h"
#include "cli/BatchSchedule.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/ProgressBar.h"
#include "cli/StatusText.h"
#include "cli/WorkerProcesses.h"

namespace quillmere::cli {
namespace {

// The result lines on stdout, failures and worker messages on stderr, and the
// batch's progress in decks on a terminal, each printed whole.
class BatchReport {
 public:
  explicit BatchReport(std::size_t decks) : bar_(stderr), total_(static_cast<std::int32_t>(decks)) {}

  void DeckFinished(const std::string& deck, const DeckOutcome& outcome) {
    bar_.Clear();
    std::cout << JoinFields({std::to_string(outcome.status), deck, outcome.xmlPath}) << '\n' << std::flush;
    if (outcome.status != ERR_SUCCESS) std::cerr << StatusLine(deck, outcome.status, outcome.reason) << '\n';
    ++done_;
    bar_.Update(done_, total_);
  }

  void Line(std::string_view line) {
    bar_.Clear();
    std::cerr << line << '\n';
    bar_.Update(done_, total_);
  }

  // Each worker says why it draws no images; the user needs to hear it once.
  void Notice(std::string_view why) {
    if (noticed_.insert(std::string(why)).second) Line("quillmere: images were not drawn: " + std::string(why));
  }

  void End() { bar_.Finish(false); }

 private:
  ProgressBar bar_;
  std::int32_t total_;
  std::int32_t done_ = 0;
  std::set<std::string> noticed_;
};

int WorkerCount(const Invocation& run) {
  if (run.jobs > 0) return run.jobs;
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

std::vector<std::string> WorkerCommand(const std::string& program, const Invocation& run) {
  std::vector<std::string> argv = {program};
  if (run.trace) argv.push_back("--trace");
  argv.insert(argv.end(), {"batch-worker", "--parent", std::to_string(getpid())});
  return argv;
}

int RunBatch(const Invocation& run) {
  const std::filesystem::path root = Absolute(run.outputFolder);
  const std::vector<std::string> names = DeckFolderNames(run.decks);
  std::vector<BatchDeck> decks;
  for (std::size_t i = 0; i < run.decks.size(); ++i)
    decks.push_back({Absolute(run.decks[i]), (root / names[i]).string(), {"", run.emulatedVersion, !run.skipImages}});

  BatchReport report(decks.size());
  const BatchLimits limits{WorkerCount(run), std::chrono::seconds(run.timeLimitSeconds)};
  ProcessWorkerPool pool(WorkerCommand("/proc/self/exe", run), limits.workers, SteadyClock(), InterruptRequested(),
                         {[&](std::string_view line) { report.Line(line); },
                          [&](std::string_view why) { report.Notice(why); }});
  const auto finished = [&](std::size_t deck, const DeckOutcome& outcome) {
    report.DeckFinished(run.decks[deck], outcome);
  };
  const std::vector<DeckOutcome> outcomes =
      RunBatchSchedule(decks, limits, pool, SteadyClock(), InterruptRequested(), finished);
  report.End();
  return BatchExitCode(outcomes, InterruptRequested());
}

}  // namespace quillmere::cli
