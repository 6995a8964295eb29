#pragma once
// Reading side of the package zip: opening with errors mapped to package
// error kinds, the entry list checked against the limits, and whole-entry
// reads whose length and CRC are verified.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <zip.h>

#include "engine/package/Package.h"

namespace quillmere::engine {

struct ZipDiscard {
  void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

struct ZipEntry {
  std::string zipName;   // as stored, used to copy the entry
  std::string partName;  // CanonicalPartName(zipName)
  zip_uint64_t index = 0;
  std::uint64_t size = 0;
  zip_uint16_t method = ZIP_CM_STORE;
};

// Throws PackageError(NotFound, NotAZip or Corrupt).
ZipHandle OpenZip(const std::filesystem::path& file);

// The entries that can be parts, in archive order. Unsafe names and folder
// entries are left out; duplicate names (ignoring case) make the zip Corrupt;
// too many entries, too many bytes or a suspicious ratio make it TooLarge.
std::vector<ZipEntry> ListEntries(zip_t* zip, const PackageLimits& limits);

// Throws PackageError(Corrupt) when the entry cannot be read in full.
std::string ReadEntry(zip_t* zip, const ZipEntry& entry);

}  // namespace quillmere::engine
