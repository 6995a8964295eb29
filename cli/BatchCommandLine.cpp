#include "cli/BatchCommandLine.h"

#include <CLI/CLI.hpp>

namespace quillmere::cli {

void AddBatchCommands(CLI::App& app, Invocation& run) {
  CLI::App* batch = app.add_subcommand("batch", "Describe many presentations, each in its own folder under DIR");
  batch->add_option("DECK", run.decks, "The presentation files")->required();
  batch->add_option("-o,--output", run.outputFolder, "The folder that gets one folder per deck")->required();
  batch->add_option("-j,--jobs", run.jobs, "Decks exported at once (default: one per core)")
      ->check(CLI::Range(1, 1024));
  batch->add_option("--time-limit", run.timeLimitSeconds, "Seconds one deck may take before it is stopped")
      ->capture_default_str()
      ->check(CLI::Range(1, 7 * 24 * 3600));
  batch->callback([&run] { run.command = Command::Batch; });

  // Started by a batch only: reads decks on stdin, answers on stdout (cli/BatchProtocol.h).
  CLI::App* worker = app.add_subcommand("batch-worker", "")->group("");
  worker->add_option("--parent", run.workerParent)->required();
  worker->callback([&run] { run.command = Command::BatchWorker; });
}

}  // namespace quillmere::cli
