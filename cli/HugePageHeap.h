#pragma once
// The export allocates a few hundred thousand small blocks; with glibc's heap
// on 2 MB pages the kernel takes a fault per 2 MB instead of per 4 kB. glibc
// reads that wish only from its environment at start-up, so the program starts
// itself once more with it. That second start costs about 8 ms, half of what a
// small deck's whole description takes, while huge pages save about 6 % of a
// description: only a large deck, or a batch worker that describes deck after
// deck, wins it back.

#include <functional>
#include <optional>
#include <string>

namespace quillmere::cli {

struct Invocation;

// Replaces the process with the same program, arguments and process id, with
// glibc's heap on huge pages, when worthIt says so and the user's environment
// does not already say how. In that second start it only puts the environment
// back as it was, for the programs it starts. Returns when the program should
// just go on.
void StartWithHugePageHeap(char** argv, const std::function<bool()>& worthIt);

// Whether the run gains more from huge pages than the second start costs: a
// batch worker, or a description of a deck whose XML parts unpack to 2 MB or more.
bool HugePagesPayOff(const Invocation& run);

// GLIBC_TUNABLES (null when unset) with huge pages asked for; nothing when it already says how.
std::optional<std::string> TunablesWithHugePages(const char* given);
// What the user's GLIBC_TUNABLES was before TunablesWithHugePages; nothing when it was unset.
std::optional<std::string> TunablesWithoutHugePages(const std::string& withHugePages);

}  // namespace quillmere::cli
