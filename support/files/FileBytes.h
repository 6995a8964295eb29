#pragma once
// A file's bytes, read in binary.

#include <cstdint>
#include <string>
#include <vector>

namespace quillmere {

// Bytes 0 to lastIndex inclusive (fewer when the file is shorter), or the
// whole file when lastIndex is negative; empty when it cannot be read.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::int64_t lastIndex = -1);

}  // namespace quillmere
