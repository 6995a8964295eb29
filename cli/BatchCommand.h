#pragma once
// `quillmere batch`: many decks, each exported as a whole presentation into a
// folder of its own, by worker processes that each keep one renderer.
//
// stdout gets one line per deck as it ends: its status, the deck as given
// and the XML file's full path (empty unless the status is 0), separated by
// tabs and escaped as in cli/BatchProtocol.h. Each deck that fails also gets
// its status line on stderr.

#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace quillmere::cli {

// 0 when every deck gave 0; 7 after Ctrl-C or SIGTERM; otherwise the status of
// the first deck, in command-line order, that did not give 0.
int RunBatch(const Invocation& run);

// The command line of a worker of this process: the program (this very one,
// "/proc/self/exe", unless a test runs the tool's) in worker mode, with the
// global options that every deck shares. The rest comes with each deck.
std::vector<std::string> WorkerCommand(const std::string& program, const Invocation& run);

}  // namespace quillmere::cli
