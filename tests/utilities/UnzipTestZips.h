#pragma once
// Zips built for the unzip tests with libzip, and the folders they go to.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <string>
#include <vector>

#include "tests/helpers/TestFiles.h"

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

// The entry's bytes as libzip reads them.
inline std::string EntryBytes(const std::filesystem::path& file, const std::string& name) {
  zip_t* zip = zip_open(file.c_str(), ZIP_RDONLY, nullptr);
  if (!zip) return "<no zip>";
  zip_stat_t st;
  std::string bytes = "<no entry>";
  if (zip_stat(zip, name.c_str(), 0, &st) == 0) {
    zip_file_t* f = zip_fopen(zip, name.c_str(), 0);
    bytes.assign(st.size, '\0');
    if (!f || zip_fread(f, bytes.data(), st.size) != static_cast<zip_int64_t>(st.size)) bytes = "<unreadable>";
    if (f) zip_fclose(f);
  }
  zip_discard(zip);
  return bytes;
}

}  // namespace quillmere::testing
