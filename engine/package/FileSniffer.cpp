#include "engine/package/FileSniffer.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "engine/package/CompoundFileSniffer.h"

namespace quillmere::engine {
namespace {

constexpr unsigned char kCompoundMagic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr char kOdpMimeType[] = "application/vnd.oasis.opendocument.presentation";
constexpr size_t kLocalHeaderSize = 30;

std::uint16_t Le16(const std::string& b, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// OpenDocument puts an uncompressed "mimetype" entry first, so its text sits
// right after the first local header.
bool IsOpenDocumentPresentation(std::ifstream& in) {
  std::string header(kLocalHeaderSize, '\0');
  in.seekg(0);
  if (!in.read(header.data(), kLocalHeaderSize)) return false;
  size_t nameLength = Le16(header, 26), extraLength = Le16(header, 28);
  std::string name(nameLength, '\0');
  std::string mime(sizeof kOdpMimeType - 1, '\0');
  if (Le16(header, 8) != 0 || !in.read(name.data(), nameLength) || name != "mimetype") return false;
  in.seekg(static_cast<std::streamoff>(kLocalHeaderSize + nameLength + extraLength));
  return in.read(mime.data(), mime.size()) && mime == kOdpMimeType;
}

}  // namespace

FileKind SniffFile(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!std::filesystem::exists(status)) return FileKind::Missing;
  if (std::filesystem::is_directory(status)) return FileKind::Directory;
  // Pipes and devices could block a read and are never presentations.
  if (!std::filesystem::is_regular_file(status)) return FileKind::Unknown;
  if (std::filesystem::file_size(file, error) == 0 && !error) return FileKind::Empty;

  std::ifstream in(file, std::ios::binary);
  unsigned char magic[8] = {};
  in.read(reinterpret_cast<char*>(magic), sizeof magic);
  size_t got = static_cast<size_t>(in.gcount());
  in.clear();
  if (got >= 4 && magic[0] == 'P' && magic[1] == 'K') {
    if (magic[2] == 3 && magic[3] == 4) return IsOpenDocumentPresentation(in) ? FileKind::OpenDocument : FileKind::OpenXml;
    // An empty zip: the package reader says why it is no presentation.
    if (magic[2] == 5 && magic[3] == 6) return FileKind::OpenXml;
  }
  if (got == sizeof magic && std::memcmp(magic, kCompoundMagic, sizeof magic) == 0) return SniffCompoundFile(file);
  return FileKind::Unknown;
}

}  // namespace quillmere::engine
