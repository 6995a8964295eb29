#pragma once
// The hidden `batch-worker` command: one of a batch's workers. It exports
// the decks it reads on stdin one at a time and answers each on stdout
// (cli/BatchProtocol.h). It keeps one presentation engine running for all of
// them, which every export attaches to (the UseGetObject option, on by
// default), so that one renderer, and one LibreOffice, draws all its images.

#include "cli/CommandLine.h"

namespace quillmere::cli {

// Ends with 0 when stdin ends; dies with the batch that started it.
int RunBatchWorker(const Invocation& run);

}  // namespace quillmere::cli
