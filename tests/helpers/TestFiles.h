#pragma once
// Reading, writing and listing files in tests.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillmere::testing {

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::filesystem::path& file, const std::string& data) {
  std::ofstream(file, std::ios::binary) << data;
}

// The relative paths of every file and folder below the folder, sorted.
inline std::vector<std::string> Tree(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& item : std::filesystem::recursive_directory_iterator(folder))
    names.push_back(item.path().lexically_relative(folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quillmere::testing
