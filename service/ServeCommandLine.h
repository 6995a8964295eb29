#pragma once
// Adds `quillmere serve` to the tool's command line.

#include "cli/CommandLine.h"

namespace quillmere::service {

void AddServeCommand(CLI::App& app, cli::Invocation& run);

}  // namespace quillmere::service
