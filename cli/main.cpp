// quillmere: the command-line front of the library, and quillmere-serve, the
// same program with the service in it (built with QUILLMERE_SERVE_HERE). Only
// the program puts the tool's commands and the service's together: the service
// builds on the tool's library, which knows nothing of it.

#include <variant>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HugePageHeap.h"
#include "cli/Interrupt.h"
#include "service/ServeCommandLine.h"
#ifdef QUILLMERE_SERVE_HERE
#include "service/ServeCommand.h"
#else
#include "service/ServeProgram.h"
#endif

int main(int argc, char** argv) {
  namespace cli = quillmere::cli;
  namespace service = quillmere::service;
#ifdef QUILLMERE_SERVE_HERE
  const service::ServeRunner serve = service::RunServe;
#else
  // The options were checked here; the service's program reads them again from the same arguments.
  const service::ServeRunner serve = [argv](const cli::Invocation&, const service::ServeOptions&) {
    return service::StartServeProgram(argv);
  };
#endif
  std::variant<cli::Invocation, int> parsed = cli::ParseCommandLine(
      argc, argv, {[&serve](CLI::App& app, cli::Invocation& run) { service::AddServeCommand(app, run, serve); }});
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  const cli::Invocation& run = std::get<cli::Invocation>(parsed);
  // After parsing, which has no effects, so that only a run that gains from it starts twice.
  cli::StartWithHugePageHeap(argv, [&] { return cli::HugePagesPayOff(run); });
  cli::InstallInterruptHandlers();
  return cli::RunInvocation(run);
}
