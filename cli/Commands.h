#pragma once
// Runs a parsed command line and reports its outcome.

#include "cli/CommandLine.h"

namespace quillmere::cli {

// The exit code: the export's status, or the trace viewer's outcome.
int RunInvocation(const Invocation& run);

}  // namespace quillmere::cli
