#pragma once
// The export allocates a few hundred thousand small blocks; with glibc's heap
// on 2 MB pages the kernel takes a fault per 2 MB instead of per 4 kB, which
// makes a description without images about a quarter quicker. glibc reads that
// wish only from its environment at start-up, so the program starts itself
// once more with it.

#include <optional>
#include <string>

namespace quillmere::cli {

// Replaces the process with the same program, arguments and process id, with
// glibc's heap on huge pages, unless the user's environment already says how
// (or this is that second start, when the environment is put back as it was
// for the programs it starts). Returns when the program should just go on.
void StartWithHugePageHeap(char** argv);

// GLIBC_TUNABLES (null when unset) with huge pages asked for; nothing when it already says how.
std::optional<std::string> TunablesWithHugePages(const char* given);
// What the user's GLIBC_TUNABLES was before TunablesWithHugePages; nothing when it was unset.
std::optional<std::string> TunablesWithoutHugePages(const std::string& withHugePages);

}  // namespace quillmere::cli
