#pragma once
// Appending to a log file that other processes may append to at the same time.

#include <string>
#include <string_view>

namespace quillmere {

// Appends the bytes in one write at the file's end, creating the file when missing, so that
// the lines of concurrent writers stay whole. Failures are ignored: a log must not stop its writer.
void AppendToFile(const std::string& path, std::string_view bytes);

}  // namespace quillmere
