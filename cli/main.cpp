// quillmere: the command-line front of the library.

#include <variant>

#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/HugePageHeap.h"
#include "cli/Interrupt.h"

int main(int argc, char** argv) {
  quillmere::cli::StartWithHugePageHeap(argv);
  std::variant<quillmere::cli::Invocation, int> parsed = quillmere::cli::ParseCommandLine(argc, argv);
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  quillmere::cli::InstallInterruptHandlers();
  return quillmere::cli::RunInvocation(std::get<quillmere::cli::Invocation>(parsed));
}
