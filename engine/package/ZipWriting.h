#pragma once
// A zip being written: entries copied from another archive without
// recompressing, or added from bytes. Nothing reaches the file until Commit;
// an uncommitted writer discards it.

#include <filesystem>
#include <list>
#include <string>

#include <zip.h>

#include "engine/package/ZipReading.h"

namespace quillmere::engine {

class ZipWriter {
 public:
  // Throws PackageError(WriteFailed), as do all the members.
  explicit ZipWriter(const std::filesystem::path& file);
  ~ZipWriter();
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  void AddCopy(zip_t* source, const ZipEntry& entry);
  void AddBytes(const std::string& name, std::string bytes);
  void Commit();

 private:
  [[noreturn]] void Fail(const std::string& what);
  zip_int64_t Add(const std::string& name, zip_source_t* source);

  zip_t* zip_ = nullptr;
  std::filesystem::path file_;
  std::list<std::string> buffers_;  // libzip reads them only at Commit
};

}  // namespace quillmere::engine
