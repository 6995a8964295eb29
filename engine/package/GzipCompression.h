#pragma once
// gzip members, as metafiles travel compressed (.emz, .wmz) in a saved web page.

#include <string>
#include <string_view>

namespace quillmere::engine {

// The bytes as one gzip member; throws std::runtime_error when zlib fails.
std::string GzipCompressed(std::string_view bytes);

}  // namespace quillmere::engine
