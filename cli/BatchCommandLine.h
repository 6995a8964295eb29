#pragma once
// The batch's part of the command line: `batch` and the hidden `batch-worker`
// that a batch starts for its workers.

#include "cli/CommandLine.h"

namespace CLI {
class App;
}

namespace quillmere::cli {

void AddBatchCommands(CLI::App& app, Invocation& run);

}  // namespace quillmere::cli
