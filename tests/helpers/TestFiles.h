#pragma once
// Reading, writing and listing files in tests.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::testing {

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::filesystem::path& file, const std::string& data) {
  std::ofstream(file, std::ios::binary) << data;
}

// Files written below the folder, with the folders they need; a name that
// ends in '/' is a folder alone.
inline void WriteTree(const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& files) {
  for (const auto& [name, data] : files) {
    std::filesystem::create_directories((folder / name).parent_path());
    if (!name.ends_with('/')) WriteFile(folder / name, data);
  }
}

// The first half of a file, as a copy cut short leaves it.
inline void WriteFirstHalf(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::string bytes = ReadFile(from);
  WriteFile(to, bytes.substr(0, bytes.size() / 2));
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
