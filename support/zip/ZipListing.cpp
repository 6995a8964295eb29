#include "support/zip/ZipListing.h"

#include <cmath>

namespace quillmere {
namespace {

// The file type bits of a Unix mode, as zips made on Unix keep it in the high half of the attributes.
constexpr zip_uint32_t kUnixFileType = 0170000;
constexpr zip_uint32_t kUnixLink = 0120000;

bool IsUnixLink(zip_t* zip, zip_uint64_t index) {
  zip_uint8_t opsys = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(zip, index, 0, &opsys, &attributes) != 0) return false;
  return opsys == ZIP_OPSYS_UNIX && ((attributes >> 16) & kUnixFileType) == kUnixLink;
}

std::int32_t SavedPercent(std::uint64_t size, std::uint64_t packed) {
  if (size == 0 || packed >= size) return 0;
  return static_cast<std::int32_t>(std::lround(100.0 - 100.0 * static_cast<double>(packed) / static_cast<double>(size)));
}

}  // namespace

ZipArchive OpenZipArchive(const std::string& file, UnzipStatus* status) {
  if (file.empty()) {
    *status = kUnzipNoZipFile;
    return nullptr;
  }
  int code = 0;
  zip_t* zip = zip_open(file.c_str(), ZIP_RDONLY, &code);
  if (zip) {
    *status = kUnzipOk;
    return ZipArchive(zip);
  }
  switch (code) {
    case ZIP_ER_NOENT:
    case ZIP_ER_OPEN:
    case ZIP_ER_READ: *status = kUnzipNoZipFile; break;
    case ZIP_ER_NOZIP: *status = kUnzipNotAZip; break;
    default: *status = kUnzipDamaged; break;
  }
  return nullptr;
}

UnzipStatus ListZipEntries(zip_t* zip, const ZipLimits& limits, std::vector<ZipListedEntry>& entries) {
  entries.clear();
  zip_int64_t count = zip_get_num_entries(zip, 0);
  if (count < 0) return kUnzipDamaged;
  if (static_cast<std::uint64_t>(count) > limits.maxEntries) return kUnzipTooLarge;
  entries.reserve(static_cast<size_t>(count));
  for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    constexpr zip_uint64_t kNeeded = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE;
    if (zip_stat_index(zip, i, 0, &st) != 0 || (st.valid & kNeeded) != kNeeded) return kUnzipDamaged;
    ZipListedEntry entry;
    entry.name = st.name;
    // Decoding maps control bytes to printable characters; the stored bytes must pass too.
    const char* raw = zip_get_name(zip, i, ZIP_FL_ENC_RAW);
    entry.rawName = raw ? raw : entry.name;
    entry.index = i;
    entry.size = st.size;
    entry.packedSize = st.comp_size;
    entry.ratio = SavedPercent(st.size, st.comp_size);
    entry.modified = (st.valid & ZIP_STAT_MTIME) ? st.mtime : 0;
    entry.crc = (st.valid & ZIP_STAT_CRC) ? st.crc : 0;
    entry.method = (st.valid & ZIP_STAT_COMP_METHOD) ? st.comp_method : ZIP_CM_STORE;
    entry.methodName = ZipMethodName(entry.method);
    entry.encrypted = (st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE;
    entry.isFolder = !entry.name.empty() && entry.name.back() == '/';
    entry.isLink = IsUnixLink(zip, i);
    entries.push_back(std::move(entry));
  }
  return kUnzipOk;
}

UnzipStatus CheckZipLimits(const std::vector<ZipListedEntry>& entries, const ZipLimits& limits, std::string* why) {
  if (entries.size() > limits.maxEntries) {
    *why = "the zip has " + std::to_string(entries.size()) + " entries, more than " + std::to_string(limits.maxEntries);
    return kUnzipTooLarge;
  }
  std::uint64_t total = 0;
  for (const ZipListedEntry& entry : entries) {
    total += entry.size;
    if (total > limits.maxTotalBytes) {
      *why = "the zip expands to more than " + std::to_string(limits.maxTotalBytes) + " bytes";
      return kUnzipTooLarge;
    }
    if (entry.size >= limits.ratioCheckFrom &&
        static_cast<double>(entry.packedSize) < limits.minCompressionRatio * static_cast<double>(entry.size)) {
      *why = "zip entry " + entry.name + " expands " +
             std::to_string(entry.size / (entry.packedSize ? entry.packedSize : 1)) + " times, like a zip bomb";
      return kUnzipTooLarge;
    }
  }
  return kUnzipOk;
}

std::string ZipMethodName(zip_uint16_t method) {
  switch (method) {
    case 0: return "Stored";
    case 1: return "Shrunk";
    case 2: case 3: case 4: case 5: return "Reduce" + std::to_string(method - 1);
    case 6: return "Implode";
    case 7: return "Token";
    // The deflate level lives in the general-purpose flags, which libzip does not show.
    case 8: return "Defl:N";
    case 9: return "Def64#";
    case 10: return "PKImp#";
    case 12: return "BZip2";
    case 14: return "LZMA";
    case 18: return "IBMTerse";
    case 19: return "IBMLZ77";
    case 93: return "Zstd";
    case 95: return "XZ";
    case 97: return "WavPack";
    case 98: return "PPMd";
    default: return "Unk:" + std::to_string(method);
  }
}

}  // namespace quillmere
