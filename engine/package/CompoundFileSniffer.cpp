#include "engine/package/CompoundFileSniffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include <gsf/gsf-utils.h>

#include "support/storage/CompoundFileDirectory.h"
#include "support/storage/GsfLibrary.h"
#include "support/storage/GsfObjects.h"

namespace quillmere::engine {
namespace {

// headerToken of the CurrentUserAtom of an encrypted document (a plain one
// has 0xE391C05F; any other value is left for the converter to judge).
constexpr std::uint32_t kEncryptedToken = 0xF3D1C4DF;
// 8-byte record header, then the atom's size field, then headerToken.
constexpr gsf_off_t kTokenOffset = 12;

void Forget(GError*& error) {
  if (error) g_error_free(error);
  error = nullptr;
}

FileKind SniffCurrentUser(GsfInfile* infile, int index) {
  GsfPtr<GsfInput> user(index < 0 ? nullptr : Gsf()->infile_child_by_index(infile, index));
  guint8 token[4];
  // Without a readable Current User stream the converter may still manage.
  if (!user || Gsf()->input_size(user.get()) < kTokenOffset + 4 ||
      Gsf()->input_seek(user.get(), kTokenOffset, G_SEEK_SET) || !Gsf()->input_read(user.get(), 4, token))
    return FileKind::BinaryPpt;
  return GSF_LE_GET_GUINT32(token) == kEncryptedToken ? FileKind::EncryptedBinaryPpt : FileKind::BinaryPpt;
}

}  // namespace

FileKind SniffCompoundFile(const std::filesystem::path& file) {
  if (!Gsf()) return FileKind::Unknown;  // nothing to read it with: the converter may still manage
  // O_NONBLOCK: a FIFO at the path must not hang the sniffer.
  int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FileKind::Unknown;
  const bool damaged = RootEntryHasSiblings(fd);
  close(fd);
  if (damaged) return FileKind::Unknown;
  GError* error = nullptr;
  GsfPtr<GsfInput> input(Gsf()->input_stdio_new(file.c_str(), &error));
  Forget(error);
  if (!input) return FileKind::Unknown;
  GsfPtr<GsfInfile> infile(Gsf()->infile_msole_new(input.get(), &error));
  Forget(error);
  if (!infile) return FileKind::Unknown;

  // The directory names are read without touching stream data, which is
  // what a damaged file trips over.
  bool encryptionInfo = false, encryptedPackage = false, powerPoint = false;
  int currentUser = -1;
  for (int i = 0, n = Gsf()->infile_num_children(infile.get()); i < n; ++i) {
    const char* name = Gsf()->infile_name_by_index(infile.get(), i);
    std::string_view s = name ? name : "";
    encryptionInfo |= s == "EncryptionInfo";
    encryptedPackage |= s == "EncryptedPackage";
    powerPoint |= s == "PowerPoint Document";
    if (s == "Current User") currentUser = i;
  }
  if (encryptionInfo && encryptedPackage) return FileKind::EncryptedOpenXml;
  if (powerPoint) return SniffCurrentUser(infile.get(), currentUser);
  return FileKind::Unknown;
}

}  // namespace quillmere::engine
