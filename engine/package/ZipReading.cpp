#include "engine/package/ZipReading.h"

#include <cstdio>
#include <fstream>
#include <unordered_set>

#include "engine/package/PartName.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

using Kind = PackageError::Kind;

std::string ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

bool StartsWithLocalHeader(const std::filesystem::path& file) {
  char magic[4] = {};
  std::ifstream in(file, std::ios::binary);
  return in.read(magic, 4) && magic[0] == 'P' && magic[1] == 'K' && magic[2] == 3 && magic[3] == 4;
}

}  // namespace

ZipHandle OpenZip(const std::filesystem::path& file) {
  int code = 0;
  // libzip takes UTF-8 file names on every system.
  std::u8string name = file.u8string();
  zip_t* zip = zip_open(reinterpret_cast<const char*>(name.c_str()), ZIP_RDONLY, &code);
  if (zip) return ZipHandle(zip);
  std::string where = Utf8NativeText(file) + ": ";
  switch (code) {
    case ZIP_ER_NOENT: throw PackageError(Kind::NotFound, where + "the file does not exist");
    case ZIP_ER_OPEN: throw PackageError(Kind::NotFound, where + "the file cannot be opened");
    case ZIP_ER_NOZIP:
      // A file that starts like a zip but has no central directory was cut short.
      if (StartsWithLocalHeader(file))
        throw PackageError(Kind::Corrupt, where + "the zip is truncated (no central directory)");
      throw PackageError(Kind::NotAZip, where + "the file is not a zip archive");
    default: throw PackageError(Kind::Corrupt, where + "the zip is damaged (" + ZipErrorText(code) + ")");
  }
}

std::vector<ZipEntry> ListEntries(zip_t* zip, const PackageLimits& limits) {
  zip_int64_t count = zip_get_num_entries(zip, 0);
  if (count < 0) throw PackageError(Kind::Corrupt, "the zip's entry count cannot be read");
  if (static_cast<std::uint64_t>(count) > limits.maxEntries)
    throw PackageError(Kind::TooLarge, "the zip has " + std::to_string(count) + " entries, more than " +
                                           std::to_string(limits.maxEntries));
  std::vector<ZipEntry> entries;
  entries.reserve(static_cast<size_t>(count));
  std::unordered_set<std::string> keys;
  std::uint64_t total = 0;
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
      throw PackageError(Kind::Corrupt, "zip entry " + std::to_string(i) + " cannot be read");
    std::string name = st.name;
    // Unsafe names are never parts and never written back; they cannot
    // become paths because nothing here extracts by entry name.
    if (!IsSafeEntryName(name)) continue;
    if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_COMP_SIZE))
      throw PackageError(Kind::Corrupt, "zip entry " + name + " has no sizes");
    if (!keys.insert(PartKey(name)).second)
      throw PackageError(Kind::Corrupt, "the zip holds the entry " + name + " twice");
    total += st.size;
    if (total > limits.maxTotalBytes)
      throw PackageError(Kind::TooLarge, "the zip expands to more than " + std::to_string(limits.maxTotalBytes) + " bytes");
    if (st.size >= limits.ratioCheckFrom &&
        static_cast<double>(st.comp_size) < limits.minCompressionRatio * static_cast<double>(st.size))
      throw PackageError(Kind::TooLarge, "zip entry " + name + " expands " +
                                             std::to_string(st.size / (st.comp_size ? st.comp_size : 1)) +
                                             " times, like a zip bomb");
    zip_uint16_t method = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : ZIP_CM_DEFAULT;
    entries.push_back({name, CanonicalPartName(name), static_cast<zip_uint64_t>(i), st.size, method});
  }
  return entries;
}

std::string ReadEntry(zip_t* zip, const ZipEntry& entry) {
  auto fail = [&](const std::string& why) { return PackageError(Kind::Corrupt, "part " + entry.partName + " " + why); };
  zip_file_t* f = zip_fopen_index(zip, entry.index, 0);
  if (!f) throw fail(std::string("cannot be opened (") + zip_strerror(zip) + ")");
  std::string bytes(entry.size, '\0');
  std::uint64_t got = 0;
  while (got < entry.size) {
    zip_int64_t n = zip_fread(f, bytes.data() + got, entry.size - got);
    if (n <= 0) break;
    got += static_cast<std::uint64_t>(n);
  }
  // Reading on to the end makes libzip check the CRC and catches entries
  // holding more than they declare.
  char extra = 0;
  zip_int64_t tail = got == entry.size ? zip_fread(f, &extra, 1) : -1;
  bool failed = zip_error_code_zip(zip_file_get_error(f)) != ZIP_ER_OK;
  std::string error = failed ? zip_file_strerror(f) : "it ends early";
  zip_fclose(f);
  if (tail < 0) throw fail("is damaged (" + error + ")");
  if (tail > 0) throw fail("holds more data than its zip header says");
  return bytes;
}

}  // namespace quillmere::engine
