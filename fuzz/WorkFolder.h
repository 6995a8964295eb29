#pragma once
// The folder one fuzz input is written to and exported into. Everything in it
// is removed when the input is done, however it ended, so that no input sees
// the files of another and a long run does not fill the disk.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace quillmere::fuzz {

class WorkFolder {
 public:
  // folder must exist; it is left empty, not removed.
  explicit WorkFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  // The input's bytes as a file of that name.
  std::filesystem::path WriteInput(std::string_view fileName, std::span<const std::uint8_t> bytes) const;
  // A new sub-folder for what the input produces.
  std::filesystem::path MakeFolder(std::string_view name) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace quillmere::fuzz
