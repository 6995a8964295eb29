#pragma once
// The command line: which export to run, on what, and with which switches.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace CLI {
class App;
}

namespace quillmere::cli {

// The exit code of a command line that cannot be run (EX_USAGE); the export
// statuses use 0 to 11.
constexpr int kUsageExit = 64;

enum class Command {
  Presentation,
  Slides,
  Slide,
  Thumbnails,
  Trace,
  Batch,
  BatchWorker,
  ArchiveList,
  ArchiveExtract,
  ArchivePack,
  External  // a command the tool's own folder does not know (the service): run.external runs it
};

struct Invocation {
  Command command = Command::Presentation;
  std::string deck;
  std::string slideList;       // slides: "1|4|7"
  std::int32_t slideIndex = 0; // slide: one-based
  std::string outputFolder;    // empty: the library's temporary folder (archive extract: see ArchiveCommands.h)
  std::string archive;         // archive commands: the project archive
  std::string packFolder;      // archive pack: the folder to pack
  bool trace = false;          // the library's debug output on stderr
  int emulatedVersion = 0;     // 0: the engine's own version
  bool skipImages = false;
  // batch (cli/BatchCommandLine.h)
  std::vector<std::string> decks;
  int jobs = 0;                 // 0: one worker per core
  int timeLimitSeconds = 600;   // for one deck
  int workerParent = 0;         // batch-worker: the batch's process id
  std::function<int(const Invocation&)> external;  // Command::External
};

// Adds a subcommand defined elsewhere; when it is chosen, its callback sets
// run.command to Command::External and run.external to what runs it.
using AddCommand = std::function<void(::CLI::App& app, Invocation& run)>;

// The invocation to run, or the exit code to end with at once (after help,
// the version, or a usage error, which are already printed).
std::variant<Invocation, int> ParseCommandLine(int argc, char** argv, const std::vector<AddCommand>& more = {});

}  // namespace quillmere::cli
