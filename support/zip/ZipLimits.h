#pragma once
// The guards applied before a zip is trusted, shared by the package reader and
// the unzip utility so that both refuse the same archives: the defaults suit
// decks of any real size while refusing archives built to exhaust memory or disk.

#include <cstdint>

namespace quillmere {

struct ZipLimits {
  std::uint64_t maxTotalBytes = std::uint64_t(1) << 30;  // sum of uncompressed sizes
  std::uint64_t maxEntries = 20000;
  double minCompressionRatio = 0.01;                     // compressed / uncompressed
  std::uint64_t ratioCheckFrom = 100 * 1024;             // entries at least this large
};

}  // namespace quillmere
