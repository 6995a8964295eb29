#include "engine/package/CompoundFileSniffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include "support/storage/CompoundFileDirectory.h"

namespace quillmere::engine {
namespace {

// headerToken of the CurrentUserAtom of an encrypted document (a plain one
// has 0xE391C05F; any other value is left for the converter to judge).
constexpr std::uint32_t kEncryptedToken = 0xF3D1C4DF;
// 8-byte record header, then the atom's size field, then headerToken.
constexpr gsf_off_t kTokenOffset = 12;

struct GObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GsfPtr = std::unique_ptr<T, GObjectUnref>;

void Forget(GError*& error) {
  if (error) g_error_free(error);
  error = nullptr;
}

void QuietenReader() {
  // Damaged files make the reader complain on stderr; the kind returned is
  // all the engine needs from it.
  g_log_set_handler("libgsf:msole",
                    static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
                    [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
}

FileKind SniffCurrentUser(GsfInfile* infile, int index) {
  GsfPtr<GsfInput> user(index < 0 ? nullptr : gsf_infile_child_by_index(infile, index));
  guint8 token[4];
  // Without a readable Current User stream the converter may still manage.
  if (!user || gsf_input_size(user.get()) < kTokenOffset + 4 || gsf_input_seek(user.get(), kTokenOffset, G_SEEK_SET) ||
      !gsf_input_read(user.get(), 4, token))
    return FileKind::BinaryPpt;
  return GSF_LE_GET_GUINT32(token) == kEncryptedToken ? FileKind::EncryptedBinaryPpt : FileKind::BinaryPpt;
}

}  // namespace

FileKind SniffCompoundFile(const std::filesystem::path& file) {
  static const bool initialised = (gsf_init(), QuietenReader(), true);
  (void)initialised;
  // O_NONBLOCK: a FIFO at the path must not hang the sniffer.
  int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return FileKind::Unknown;
  const bool damaged = RootEntryHasSiblings(fd);
  close(fd);
  if (damaged) return FileKind::Unknown;
  GError* error = nullptr;
  GsfPtr<GsfInput> input(gsf_input_stdio_new(file.c_str(), &error));
  Forget(error);
  if (!input) return FileKind::Unknown;
  GsfPtr<GsfInfile> infile(gsf_infile_msole_new(input.get(), &error));
  Forget(error);
  if (!infile) return FileKind::Unknown;

  // The directory names are read without touching stream data, which is
  // what a damaged file trips over.
  bool encryptionInfo = false, encryptedPackage = false, powerPoint = false;
  int currentUser = -1;
  for (int i = 0, n = gsf_infile_num_children(infile.get()); i < n; ++i) {
    const char* name = gsf_infile_name_by_index(infile.get(), i);
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
