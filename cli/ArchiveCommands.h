#pragma once
// quillmere archive list | extract | pack: project archives from the command
// line. Results go to stdout (the entries; the folder or archive written),
// every problem to stderr, one line each.

#include "cli/CommandLine.h"

namespace quillmere::cli {

// Exit codes of the archive commands (sysexits.h).
constexpr int kArchiveDamaged = 65;      // EX_DATAERR: not an archive, damaged, or entries refused
constexpr int kArchiveMissing = 66;      // EX_NOINPUT: no such archive or folder, or it cannot be read
constexpr int kArchiveCannotWrite = 73;  // EX_CANTCREAT: the output cannot be written
constexpr int kArchiveInUse = 75;        // EX_TEMPFAIL: the archive stayed in use by another program

bool IsArchiveCommand(Command command);

int RunArchiveCommand(const Invocation& run);

}  // namespace quillmere::cli
