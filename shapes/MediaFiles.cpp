#include "shapes/MediaFiles.h"

#include <filesystem>
#include <fstream>

#include "objectmodel/ExportContext.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {

std::string CopyIntoOutputFolder(ExportContext& context, const std::string& source) {
  std::string target = context.outputFolder + GetFileBaseName(source);
  CopyFileOverwriting(source, target);  // a copy that fails leaves no file, which the callers check
  return target;
}

bool IsMp3File(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  char head[3] = {};
  if (!in.read(head, sizeof head)) return false;
  return LowerAscii(std::string_view(head, sizeof head)) == "id3";
}

std::string RenameToMp3(const std::string& path) {
  const std::filesystem::path source = Utf8Path(path);
  std::filesystem::path target = source;
  target.replace_extension(".mp3");
  std::error_code ec;
  std::filesystem::rename(source, target, ec);
  return ec ? path : Utf8NativeText(target);
}

}  // namespace quillmere
