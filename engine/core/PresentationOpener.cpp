#include "engine/core/PresentationOpener.h"

#include "engine/package/FileSniffer.h"
#include "engine/package/LibreOfficeConverter.h"
#include "objectmodel/automation/ComError.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

[[noreturn]] void CouldNotOpen(std::string_view member, std::string_view reason) {
  throw ComError(hr::kUnspecified,
                 std::string(member) + " : PowerPoint could not open the file. (" + std::string(reason) + ")");
}

std::shared_ptr<PresentationDocument> LoadPackage(const std::filesystem::path& file, std::string_view member) {
  try {
    return std::make_shared<PresentationDocument>(Package::Open(file));
  } catch (const PackageError& e) {
    CouldNotOpen(member, e.what());
  }
}

}  // namespace

FileNameWithPasswords SplitPasswords(std::string_view fileName) {
  auto pos = fileName.find("::");
  if (pos == std::string_view::npos) return {std::string(fileName), false};
  return {std::string(fileName.substr(0, pos)), true};
}

std::shared_ptr<PresentationDocument> LoadPresentation(const std::string& path, std::string_view member) {
  const std::filesystem::path file = Utf8Path(path);
  switch (SniffFile(file)) {
    case FileKind::Missing: CouldNotOpen(member, "the file does not exist");
    case FileKind::Directory: CouldNotOpen(member, "the path is a folder");
    case FileKind::Empty: CouldNotOpen(member, "the file is empty");
    case FileKind::Unknown: CouldNotOpen(member, "the file is not a presentation");
    case FileKind::EncryptedOpenXml:
    case FileKind::EncryptedBinaryPpt:
      throw ComError(hr::kUnspecified, std::string(member) + " : The password is incorrect. PowerPoint cannot open the file.");
    case FileKind::BinaryPpt:
    case FileKind::OpenDocument: {
      ConversionResult converted = ConvertToPptx(file, Utf8Path(GetTempFolder() + "convert"));
      if (!converted.pptx) CouldNotOpen(member, converted.error);
      std::shared_ptr<PresentationDocument> doc = LoadPackage(*converted.pptx, member);
      doc->SetSourceFile(file);
      return doc;
    }
    case FileKind::OpenXml: break;
  }
  return LoadPackage(file, member);
}

}  // namespace quillmere::engine
