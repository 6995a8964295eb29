#pragma once
// Reading an open file at given offsets, leaving its position alone, so that
// checks of a file's layout can share the descriptor its reader uses.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quillmere {

// Exactly size bytes at offset; false on a short read or an error.
bool ReadAt(int fd, std::uint64_t offset, void* buffer, std::size_t size);

// The open file's size in bytes; nullopt when it cannot be told.
std::optional<std::uint64_t> OpenFileSize(int fd);

}  // namespace quillmere
