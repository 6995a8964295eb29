#pragma once
// Runs a parsed command line and reports its outcome.

#include <string>

#include "cli/CommandLine.h"
#include "component/PPTInfo.h"

namespace quillmere::cli {

// The exit code: the export's status, the batch's outcome, or the trace viewer's.
int RunInvocation(const Invocation& run);

// The presentation engine as the global options ask for it.
PPTInfoOptions EngineFor(const Invocation& run);

}  // namespace quillmere::cli
