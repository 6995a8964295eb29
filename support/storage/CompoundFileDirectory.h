#pragma once
// The size of a compound file's directory, counted from its header and
// allocation table before anything reads the entries: libgsf builds each
// folder's list in time that grows with the square of its entries, so an
// archive claiming millions must be refused before it gets there.

#include <cstdint>
#include <optional>

namespace quillmere {

// Directory entries the open file's directory has room for, counting no
// further than just past stopAbove; nullopt when the header or allocation
// table is too damaged to tell (the reader then says why it cannot open it).
std::optional<std::uint64_t> DirectoryCapacity(int fd, std::uint64_t stopAbove);

// Whether the root entry names siblings, which no writer gives it: libgsf
// reads the entries they lead to into folders that belong to nothing and
// never frees them, so such a file is refused before libgsf reads it.
bool RootEntryHasSiblings(int fd);

}  // namespace quillmere
