#include "service/ExportFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

#include "support/text/Text.h"
#include "support/zip/ZipWriter.h"

namespace quillmere::service {
namespace {

namespace fs = std::filesystem;

bool HasEncodedSeparator(std::string_view target) {
  const std::string lower = LowerAscii(target);
  return lower.find("%2f") != std::string::npos || lower.find("%5c") != std::string::npos;
}

bool IsPlainPart(std::string_view part) {
  return !part.empty() && part != "." && part != ".." && part.find('\\') == std::string_view::npos &&
         part.find('\0') == std::string_view::npos;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::optional<fs::path> ExportFile(const fs::path& folder, std::string_view name, std::string_view rawTarget) {
  if (HasEncodedSeparator(rawTarget)) return std::nullopt;
  fs::path file = folder;
  std::error_code error;
  for (std::size_t start = 0;;) {
    const std::size_t slash = name.find('/', start);
    const std::string_view part = name.substr(start, slash == std::string_view::npos ? name.npos : slash - start);
    if (!IsPlainPart(part)) return std::nullopt;
    file /= fs::path(std::string(part));
    // Each part is looked at as it is, so that a link anywhere on the way is refused.
    const fs::file_status status = fs::symlink_status(file, error);
    if (error || fs::is_symlink(status)) return std::nullopt;
    if (slash == std::string_view::npos) return fs::is_regular_file(status) ? std::optional(file) : std::nullopt;
    if (!fs::is_directory(status)) return std::nullopt;
    start = slash + 1;
  }
}

void ZipFolder(const fs::path& folder, const fs::path& archive) {
  ZipWriter zip(archive);
  for (auto entry = fs::recursive_directory_iterator(folder); entry != fs::recursive_directory_iterator(); ++entry) {
    if (!entry->is_regular_file() || entry->is_symlink()) continue;
    zip.AddBytes(fs::relative(entry->path(), folder).generic_string(), ReadBytes(entry->path()));
  }
  zip.Commit();
}

std::string_view ContentTypeOf(const fs::path& file) {
  static const std::map<std::string, std::string_view> kTypes = {
      {".xml", "application/xml; charset=utf-8"}, {".png", "image/png"}, {".jpg", "image/jpeg"},
      {".jpeg", "image/jpeg"}, {".gif", "image/gif"}, {".bmp", "image/bmp"}, {".svg", "image/svg+xml"},
      {".emf", "image/emf"}, {".wmf", "image/wmf"}, {".tif", "image/tiff"}, {".tiff", "image/tiff"},
      {".mp3", "audio/mpeg"}, {".wav", "audio/wav"}, {".m4a", "audio/mp4"}, {".wma", "audio/x-ms-wma"},
      {".mp4", "video/mp4"}, {".m4v", "video/mp4"}, {".mov", "video/quicktime"}, {".avi", "video/x-msvideo"},
      {".wmv", "video/x-ms-wmv"}, {".swf", "application/x-shockwave-flash"}, {".txt", "text/plain; charset=utf-8"},
      {".log", "text/plain; charset=utf-8"}, {".zip", "application/zip"},
      {".pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation"}};
  const auto type = kTypes.find(LowerAscii(file.extension().string()));
  return type == kTypes.end() ? "application/octet-stream" : type->second;
}

}  // namespace quillmere::service
