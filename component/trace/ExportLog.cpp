#include "component/trace/ExportLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "component/trace/Trace.h"
#include "support/Paths.h"
#include "support/Settings.h"
#include "support/UserFolders.h"

namespace quillmere {
namespace {

constexpr std::string_view kLogFolder = "Corvanta/Narravel/";
constexpr std::string_view kLogName = "export.log";

// One write with O_APPEND keeps lines of concurrent writers whole.
void AppendLine(const std::string& path, std::string_view message) {
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  std::string line = std::string(message) + "\r\n";
  std::string_view rest = line;
  while (!rest.empty()) {
    ssize_t written = write(fd, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  close(fd);
}

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
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) CreateFolderPath(folder);
    AppendLine(path, message);
  } catch (...) {
    // Logging must not disturb the caller.
  }
}

void DeleteExportLog() noexcept {
  try {
    std::string path = ExportLogPath();
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
  } catch (...) {
    // As above.
  }
}

}  // namespace quillmere
