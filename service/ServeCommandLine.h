#pragma once
// Adds `quillmere serve` to the tool's command line.

#include <functional>

#include "cli/CommandLine.h"
#include "service/ServeOptions.h"

namespace quillmere::service {

// What runs the service once its options are read.
using ServeRunner = std::function<int(const cli::Invocation& run, const ServeOptions& options)>;

void AddServeCommand(CLI::App& app, cli::Invocation& run, ServeRunner runner);

}  // namespace quillmere::service
