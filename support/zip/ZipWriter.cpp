#include "support/zip/ZipWriter.h"

#include "support/files/Paths.h"

namespace quillmere {

ZipWriter::ZipWriter(const std::filesystem::path& file) : file_(file) {
  int code = 0;
  std::u8string name = file.u8string();  // libzip takes UTF-8 file names on every system
  zip_ = zip_open(reinterpret_cast<const char*>(name.c_str()), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!zip_) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw ZipWriteError(Utf8NativeText(file) + ": cannot create the file (" + text + ")");
  }
}

ZipWriter::~ZipWriter() {
  if (zip_) zip_discard(zip_);
}

void ZipWriter::Fail(const std::string& what) {
  throw ZipWriteError(Utf8NativeText(file_) + ": " + what + " (" + zip_strerror(zip_) + ")");
}

zip_int64_t ZipWriter::Add(const std::string& name, zip_source_t* source) {
  if (!source) Fail("cannot read the data for " + name);
  zip_int64_t index = zip_file_add(zip_, name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    Fail("cannot add " + name);
  }
  return index;
}

void ZipWriter::AddCopy(zip_t* source, zip_uint64_t index, const std::string& name, bool stored) {
  // Start 0 and length -1 make libzip copy the compressed data as it is;
  // stored entries must be marked so again or libzip would deflate them.
  zip_int64_t added = Add(name, zip_source_zip(zip_, source, index, 0, 0, -1));
  if (stored && zip_set_file_compression(zip_, static_cast<zip_uint64_t>(added), ZIP_CM_STORE, 0) != 0)
    Fail("cannot keep the compression of " + name);
}

void ZipWriter::AddBytes(const std::string& name, std::string bytes) {
  const std::string& kept = buffers_.emplace_back(std::move(bytes));
  Add(name, zip_source_buffer(zip_, kept.data(), kept.size(), 0));
}

void ZipWriter::Commit() {
  if (zip_close(zip_) != 0) Fail("cannot write the zip");
  zip_ = nullptr;
}

}  // namespace quillmere
