#include "engine/package/CompoundFileSniffer.h"

#include <io.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/files/windows/DiskFile.h"
#include "support/storage/CompoundFileDirectory.h"
#include "support/storage/windows/ComStorage.h"
#include "support/text/windows/WideText.h"

namespace quillmere::engine {
namespace {

// headerToken of the CurrentUserAtom of an encrypted document (a plain one
// has 0xE391C05F; any other value is left for the converter to judge).
constexpr std::uint32_t kEncryptedToken = 0xF3D1C4DF;
// 8-byte record header, then the atom's size field, then headerToken.
constexpr std::uint64_t kTokenOffset = 12;

// A root entry with siblings is damage no writer makes; such a file is not read further.
bool RootHasSiblings(const std::filesystem::path& file) {
  int fd = OpenDiskFileForReading(Narrow(file.wstring()), FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (fd < 0) return true;
  bool siblings = RootEntryHasSiblings(fd);
  _close(fd);
  return siblings;
}

FileKind SniffCurrentUser(IStorage* storage) {
  ComPtr<IStream> user;
  unsigned char token[4];
  // Without a readable Current User stream the converter may still manage.
  if (FAILED(storage->OpenStream(L"Current User", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, user.Receive())) ||
      !ReadStreamAt(user.Get(), kTokenOffset, token, sizeof token))
    return FileKind::BinaryPpt;
  std::uint32_t value = static_cast<std::uint32_t>(token[0]) | static_cast<std::uint32_t>(token[1]) << 8 |
                        static_cast<std::uint32_t>(token[2]) << 16 | static_cast<std::uint32_t>(token[3]) << 24;
  return value == kEncryptedToken ? FileKind::EncryptedBinaryPpt : FileKind::BinaryPpt;
}

}  // namespace

FileKind SniffCompoundFile(const std::filesystem::path& file) {
  if (RootHasSiblings(file)) return FileKind::Unknown;
  ComPtr<IStorage> storage;
  if (FAILED(OpenCompoundFile(Narrow(file.wstring()), storage))) return FileKind::Unknown;
  // The directory names are read without touching stream data, which is what a damaged file trips over.
  std::vector<StorageElement> elements;
  if (FAILED(ListElements(storage.Get(), elements))) return FileKind::Unknown;
  auto has = [&](std::u16string_view name) {
    return std::any_of(elements.begin(), elements.end(), [&](const StorageElement& e) { return e.name == name; });
  };
  if (has(u"EncryptionInfo") && has(u"EncryptedPackage")) return FileKind::EncryptedOpenXml;
  if (has(u"PowerPoint Document")) return SniffCurrentUser(storage.Get());
  return FileKind::Unknown;
}

}  // namespace quillmere::engine
