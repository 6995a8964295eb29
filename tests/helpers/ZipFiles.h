#pragma once
// Zips built and read back with libzip: the unzip tests' own zips, and what
// decks, saved packages and exports hold, read by a reader that is not ours.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::testing {

struct TestEntry {
  TestEntry(std::string n, std::string d, zip_int32_t m = ZIP_CM_DEFLATE, std::string p = "", std::time_t t = 0,
            bool l = false)
      : name(std::move(n)), data(std::move(d)), method(m), password(std::move(p)), modified(t), link(l) {}
  std::string name;
  std::string data;
  zip_int32_t method = ZIP_CM_DEFLATE;
  std::string password;  // AES-256 when set
  std::time_t modified = 0;
  bool link = false;     // a Unix symbolic link whose target is data
};

inline void WriteZip(const std::filesystem::path& file, const std::vector<TestEntry>& entries) {
  int error = 0;
  zip_t* zip = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(zip, nullptr) << error;
  for (const TestEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(zip, entry.data.data(), entry.data.size(), 0);
    ASSERT_NE(source, nullptr);
    zip_int64_t index = zip_file_add(zip, entry.name.c_str(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
    ASSERT_GE(index, 0) << entry.name << ": " << zip_strerror(zip);
    auto i = static_cast<zip_uint64_t>(index);
    ASSERT_EQ(zip_set_file_compression(zip, i, entry.method, 0), 0);
    if (entry.modified) {
      ASSERT_EQ(zip_file_set_mtime(zip, i, entry.modified, 0), 0);
    }
    if (!entry.password.empty()) {
      ASSERT_EQ(zip_file_set_encryption(zip, i, ZIP_EM_AES_256, entry.password.c_str()), 0) << zip_strerror(zip);
    }
    if (entry.link) {
      ASSERT_EQ(zip_file_set_external_attributes(zip, i, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16), 0);
    }
  }
  ASSERT_EQ(zip_close(zip), 0) << zip_strerror(zip);
}

// A folder entry ("a/b/").
inline void AddFolder(const std::filesystem::path& file, const std::string& name) {
  zip_t* zip = zip_open(file.c_str(), 0, nullptr);
  ASSERT_NE(zip, nullptr);
  ASSERT_GE(zip_dir_add(zip, name.c_str(), ZIP_FL_ENC_UTF_8), 0);
  ASSERT_EQ(zip_close(zip), 0);
}

// One entry as libzip reads it: its name, its record (whose name pointer is
// cleared, the zip being closed) and its bytes, "<unreadable>" when they do not read.
struct ZipRead {
  std::string name;
  zip_stat_t stat;
  std::string bytes;
};

// Every entry, in the zip's order; none when it does not open.
inline std::vector<ZipRead> ReadZip(const std::filesystem::path& file) {
  std::vector<ZipRead> entries;
  zip_t* zip = zip_open(file.c_str(), ZIP_RDONLY, nullptr);
  for (zip_int64_t i = 0, n = zip ? zip_get_num_entries(zip, 0) : 0; i < n; ++i) {
    ZipRead& e = entries.emplace_back();
    auto index = static_cast<zip_uint64_t>(i);
    zip_stat_init(&e.stat);
    zip_stat_index(zip, index, 0, &e.stat);
    e.name = e.stat.name ? e.stat.name : "";
    e.stat.name = nullptr;
    e.bytes.assign(e.stat.size, '\0');
    zip_file_t* f = zip_fopen_index(zip, index, 0);
    if (!f || zip_fread(f, e.bytes.data(), e.stat.size) != static_cast<zip_int64_t>(e.stat.size)) e.bytes = "<unreadable>";
    if (f) zip_fclose(f);
  }
  if (zip) zip_discard(zip);
  return entries;
}

// The entry's bytes as libzip reads them.
inline std::string EntryBytes(const std::filesystem::path& file, const std::string& name) {
  for (ZipRead& e : ReadZip(file))
    if (e.name == name) return std::move(e.bytes);
  return "<no entry>";
}

}  // namespace quillmere::testing
