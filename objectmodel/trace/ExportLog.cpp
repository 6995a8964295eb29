#include "objectmodel/trace/ExportLog.h"

#include <filesystem>

#include "objectmodel/trace/Trace.h"
#include "support/files/FileAppend.h"
#include "support/files/Paths.h"
#include "support/platform/UserFolders.h"
#include "support/registry/Settings.h"
#include "support/text/SystemText.h"

namespace quillmere {
namespace {

constexpr std::string_view kLogFolder = "Corvanta/Narravel/";
constexpr std::string_view kLogName = "export.log";

}  // namespace

std::string ExportLogPath() {
  std::string folder = UserDataFolder();
  return folder.empty() ? std::string() : folder + std::string(kLogFolder) + std::string(kLogName);
}

void WriteExportLog(std::string_view message) noexcept {
  Trace(message);
  try {
    if (LogImportOption() != "1") return;
    std::string path = ExportLogPath();
    if (path.empty()) return;
    std::string folder = GetParentFolder(path);
    if (!FolderExists(folder)) CreateFolderPath(folder);
    AppendToFile(path, SystemText(message) + "\r\n");
  } catch (...) {
    // Logging must not disturb the caller.
  }
}

void DeleteExportLog() noexcept {
  try {
    std::string path = ExportLogPath();
    if (path.empty()) return;
    const std::filesystem::path log = Utf8Path(path);
    std::error_code ec;
    if (std::filesystem::is_regular_file(log, ec)) std::filesystem::remove(log, ec);
  } catch (...) {
    // As above.
  }
}

}  // namespace quillmere
