#pragma once
// A zip being written: entries copied from another archive without
// recompressing, or added from bytes. Nothing reaches the file until Commit;
// an uncommitted writer discards it.

#include <filesystem>
#include <list>
#include <stdexcept>
#include <string>

#include <zip.h>

namespace quillmere {

// Why a zip could not be written, with the file's name.
class ZipWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ZipWriter {
 public:
  // Throws ZipWriteError, as do all the members.
  explicit ZipWriter(const std::filesystem::path& file);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Entry `index` of `source` as it is stored, under `name`.
  void AddCopy(zip_t* source, zip_uint64_t index, const std::string& name, bool stored);
  void AddBytes(const std::string& name, std::string bytes);
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& what);
  zip_int64_t Add(const std::string& name, zip_source_t* source);

  zip_t* zip_ = nullptr;
  std::filesystem::path file_;
  std::list<std::string> buffers_;  // libzip reads them only at Commit
};

}  // namespace quillmere
