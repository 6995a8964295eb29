// quillmere: the command-line front of the library. Only the program puts
// the tool's commands and the service's together: the service builds on the
// tool's library, which knows nothing of it.

#include <variant>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HugePageHeap.h"
#include "cli/Interrupt.h"
#include "service/ServeCommandLine.h"

int main(int argc, char** argv) {
  std::variant<quillmere::cli::Invocation, int> parsed =
      quillmere::cli::ParseCommandLine(argc, argv, {quillmere::service::AddServeCommand});
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  const quillmere::cli::Invocation& run = std::get<quillmere::cli::Invocation>(parsed);
  // After parsing, which has no effects, so that only a run that gains from it starts twice.
  quillmere::cli::StartWithHugePageHeap(argv, [&] { return quillmere::cli::HugePagesPayOff(run); });
  quillmere::cli::InstallInterruptHandlers();
  return quillmere::cli::RunInvocation(run);
}
