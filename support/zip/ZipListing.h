#pragma once
// The libzip side of cUnzip that reads: opening an archive with its errors
// mapped to unzip statuses, and one record per entry with what a zip listing
// shows.

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <zip.h>

#include "support/zip/ZipLimits.h"
#include "support/zip/ZipStatus.h"

namespace quillmere {

struct ZipArchiveClose {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipArchiveClose>;

// Null with *status set when the file is missing, unreadable, not a zip or damaged.
ZipArchive OpenZipArchive(const std::string& file, UnzipStatus* status);

struct ZipListedEntry {
  std::string name;     // UTF-8 (libzip guesses the encoding), '/' between folders
  std::string rawName;  // the bytes as stored, which the safety checks also look at
  zip_uint64_t index = 0;
  std::uint64_t size = 0;
  std::uint64_t packedSize = 0;
  std::int32_t ratio = 0;  // percent saved by compression, as zip listings show it
  std::time_t modified = 0;
  std::uint32_t crc = 0;
  zip_uint16_t method = ZIP_CM_STORE;
  std::string methodName;  // "Stored", "Defl:N", ...
  bool encrypted = false;
  bool isFolder = false;
  bool isLink = false;  // a Unix symbolic link, which is never made
};

// The entries in archive order; kUnzipDamaged when one cannot be read,
// kUnzipTooLarge when there are more than limits.maxEntries.
UnzipStatus ListZipEntries(zip_t* zip, const ZipLimits& limits, std::vector<ZipListedEntry>& entries);

// kUnzipTooLarge when the entries expand to more than the limits allow, in
// total or at a ratio only a zip bomb reaches; *why says which.
UnzipStatus CheckZipLimits(const std::vector<ZipListedEntry>& entries, const ZipLimits& limits, std::string* why);

// The method as zip listings name it.
std::string ZipMethodName(zip_uint16_t method);

}  // namespace quillmere
