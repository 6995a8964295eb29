#include "cli/ArchiveCommands.h"

#include <sys/stat.h>

#include <iostream>

#include "cli/AbsolutePath.h"
#include "support/files/Paths.h"
#include "support/storage/ProjectArchiveOpening.h"
#include "support/text/Text.h"
#include "utilities/archive/ProjectArchiveContents.h"
#include "utilities/archive/ProjectArchivePacking.h"

namespace quillmere::cli {
namespace {

void Say(const std::string& subject, const std::string& text) {
  std::cerr << "quillmere: " << subject << ": " << text << '\n';
}

// The exit code for an archive that did not open, after saying why.
int OpenFailure(const std::string& archive, std::int32_t status) {
  Say(archive, StorageStatusText(status));
  switch (status) {
    case storage::kStorageNotFound:
    case storage::kStorageAccessDenied: return kArchiveMissing;
    case storage::kStorageBusy: return kArchiveInUse;
    case storage::kStorageWriteFault: return kArchiveCannotWrite;
    default: return kArchiveDamaged;
  }
}

// 0, or kArchiveDamaged after naming each problem of the walk.
int WalkOutcome(const std::string& archive, const ArchiveWalkResult& walk) {
  for (const std::string& problem : walk.problems) Say(archive, problem);
  return walk.problems.empty() ? 0 : kArchiveDamaged;
}

int List(const Invocation& run) {
  std::shared_ptr<Sleeper> sleeper = MakeRealSleeper();
  ArchiveContents contents = ListProjectArchive(Absolute(run.archive), *sleeper);
  if (contents.openStatus != storage::kStorageOk) return OpenFailure(run.archive, contents.openStatus);
  for (const WalkedEntry& entry : contents.entries) {
    std::cout << VisibleText(entry.path);  // a system stream's first character is a control character
    if (!entry.isFolder && GetFileBaseName(entry.path) != entry.storedName)
      std::cout << "  (stored as " << entry.storedName << ")";
    std::cout << '\n';
  }
  return WalkOutcome(run.archive, contents.walk);
}

int Extract(const Invocation& run) {
  std::string folder = run.outputFolder;
  if (folder.empty()) folder = GetFileBaseName(StripTrailingSeparator(run.archive), "", true);
  if (folder.empty()) folder = "archive";
  folder = Absolute(folder);
  std::shared_ptr<Sleeper> sleeper = MakeRealSleeper();
  ArchiveContents contents = ExtractProjectArchive(Absolute(run.archive), folder, *sleeper);
  if (contents.openStatus == storage::kStorageWriteFault) {
    Say(folder, "the folder cannot be made");
    return kArchiveCannotWrite;
  }
  if (contents.openStatus != storage::kStorageOk) return OpenFailure(run.archive, contents.openStatus);
  int exit = WalkOutcome(run.archive, contents.walk);
  if (exit == 0) std::cout << folder << '\n';
  return exit;
}

int Pack(const Invocation& run) {
  struct stat st {};
  if (stat(run.packFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    Say(run.packFolder, "no such folder");
    return kArchiveMissing;
  }
  std::string archive = Absolute(run.archive);
  PackResult result = PackFolder(Absolute(run.packFolder), archive);
  for (const std::string& skipped : result.skipped) Say(run.packFolder, "left out " + skipped);
  if (!result.written) {
    Say(run.archive, result.error);
    return kArchiveCannotWrite;
  }
  std::cout << archive << '\n';
  return 0;
}

}  // namespace

bool IsArchiveCommand(Command command) {
  return command == Command::ArchiveList || command == Command::ArchiveExtract || command == Command::ArchivePack;
}

int RunArchiveCommand(const Invocation& run) {
  switch (run.command) {
    case Command::ArchiveList: return List(run);
    case Command::ArchiveExtract: return Extract(run);
    case Command::ArchivePack: return Pack(run);
    default: return kUsageExit;
  }
}

}  // namespace quillmere::cli
