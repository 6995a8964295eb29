#include "cli/AbsolutePath.h"

#include <filesystem>
#include <system_error>

namespace quillmere::cli {

std::string Absolute(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

}  // namespace quillmere::cli
