#include "support/storage/CompoundFileDirectory.h"

#include <array>
#include <cstring>
#include <vector>

#include "support/storage/PositionedRead.h"

namespace quillmere {
namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderFatSectors = 109;  // the first allocation-table sectors, listed in the header
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kEntrySize = 128;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kLeftSibling = 0x44, kRightSibling = 0x48;
constexpr unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

class Layout {
 public:
  explicit Layout(unsigned shift) : shift_(shift), sectorSize_(std::uint64_t(1) << shift) {}

  std::uint64_t SectorOffset(std::uint32_t sector) const { return (std::uint64_t(sector) + 1) << shift_; }
  std::uint32_t IndexesPerSector() const { return static_cast<std::uint32_t>(sectorSize_ / 4); }
  std::uint32_t EntriesPerSector() const { return static_cast<std::uint32_t>(sectorSize_ / kEntrySize); }
  std::uint64_t SectorSize() const { return sectorSize_; }

 private:
  unsigned shift_;
  std::uint64_t sectorSize_;
};

// The allocation-table sectors, from the header and the chain of sectors that continues its list.
// Neither list can name more sectors than the file holds: a header that claims more (with a chain
// that loops, it would be read round and round) is damaged.
std::optional<std::vector<std::uint32_t>> FatSectors(int fd, const Layout& layout, const unsigned char* header) {
  std::uint32_t count = Le32(header + 0x2C), next = Le32(header + 0x44), chained = Le32(header + 0x48);
  std::optional<std::uint64_t> fileSize = OpenFileSize(fd);
  if (!fileSize) return std::nullopt;
  const std::uint64_t fileSectors = *fileSize / layout.SectorSize();
  if (count > fileSectors || chained > fileSectors) return std::nullopt;
  std::vector<std::uint32_t> sectors;
  for (std::size_t i = 0; i < kHeaderFatSectors && sectors.size() < count; ++i)
    sectors.push_back(Le32(header + 0x4C + 4 * i));
  std::vector<unsigned char> block(layout.SectorSize());
  for (std::uint32_t step = 0; step < chained && sectors.size() < count; ++step) {
    if (next > kLastRegularSector || !ReadAt(fd, layout.SectorOffset(next), block.data(), block.size()))
      return std::nullopt;
    for (std::uint32_t i = 0; i + 1 < layout.IndexesPerSector() && sectors.size() < count; ++i)
      sectors.push_back(Le32(block.data() + 4 * i));
    next = Le32(block.data() + block.size() - 4);
  }
  if (sectors.size() < count) return std::nullopt;
  return sectors;
}

// Reads the header; the sector layout it gives, or nullopt when it is no compound file's.
std::optional<Layout> ReadHeader(int fd, unsigned char (&header)[kHeaderSize]) {
  if (!ReadAt(fd, 0, header, sizeof header) || std::memcmp(header, kSignature, sizeof kSignature) != 0)
    return std::nullopt;
  unsigned shift = header[0x1E] | header[0x1F] << 8;
  if (shift < 7 || shift > 16) return std::nullopt;
  return Layout(shift);
}

}  // namespace

bool RootEntryHasSiblings(int fd) {
  unsigned char header[kHeaderSize];
  std::optional<Layout> layout = ReadHeader(fd, header);
  unsigned char root[kEntrySize];
  if (!layout || !ReadAt(fd, layout->SectorOffset(Le32(header + 0x30)), root, sizeof root)) return false;
  // Entry 0 is the root itself, which the reader meets only once.
  auto names = [&](std::size_t at) { return Le32(root + at) != kNoEntry && Le32(root + at) != 0; };
  return names(kLeftSibling) || names(kRightSibling);
}

std::optional<std::uint64_t> DirectoryCapacity(int fd, std::uint64_t stopAbove) {
  unsigned char header[kHeaderSize];
  std::optional<Layout> read = ReadHeader(fd, header);
  if (!read) return std::nullopt;
  const Layout& layout = *read;
  std::optional<std::vector<std::uint32_t>> fat = FatSectors(fd, layout, header);
  if (!fat) return std::nullopt;
  std::uint64_t entries = 0;
  // A chain that loops counts on until it passes stopAbove, which refuses it as well.
  for (std::uint32_t sector = Le32(header + 0x30); sector <= kLastRegularSector && entries <= stopAbove;) {
    entries += layout.EntriesPerSector();
    std::uint32_t table = sector / layout.IndexesPerSector();
    unsigned char next[4];
    if (table >= fat->size() || (*fat)[table] > kLastRegularSector ||
        !ReadAt(fd, layout.SectorOffset((*fat)[table]) + 4 * (sector % layout.IndexesPerSector()), next, 4))
      return std::nullopt;
    sector = Le32(next);
  }
  return entries;
}

}  // namespace quillmere
