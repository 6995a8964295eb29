#include "fuzz/WorkFolder.h"

#include <fstream>
#include <stdexcept>

namespace quillmere::fuzz {

WorkFolder::~WorkFolder() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) std::filesystem::remove_all(entry, ec);
}

std::filesystem::path WorkFolder::WriteInput(std::string_view fileName, std::span<const std::uint8_t> bytes) const {
  std::filesystem::path file = folder_ / fileName;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write the fuzz input to " + file.string());
  return file;
}

std::filesystem::path WorkFolder::MakeFolder(std::string_view name) const {
  std::filesystem::path folder = folder_ / name;
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace quillmere::fuzz
