#include "media/EmbeddedPackages.h"

#include "media/ExportArchiveHandler.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

constexpr int kActionIndent = 17;
constexpr int kEncodedTypeIndent = 2;
constexpr std::int16_t kNewerPackagesVersion = 7;  // projects from here on write the newer package formats

bool IsPlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

// A path of this machine or a drive path as the authoring tool writes it.
bool IsAbsolute(const std::string& path) { return path.find(':') != std::string::npos || path.starts_with('/'); }

std::string PresentationFolder(ExportContext& context) {
  return AddPathSeparator(GetParentFolder(context.presentationName));
}

}  // namespace

bool GetSlideIQOB(ExportContext& context, std::string folderName, const std::string& outputFolder,
                  std::string projectArchivePath) {
  ExtractArchiveFolder(context, std::move(folderName), outputFolder, std::move(projectArchivePath), "GetSlideIQOB");
  return true;
}

std::string ResolvedTaggedPath(ExportContext& context, const std::string& taggedPath) {
  return IsAbsolute(taggedPath) ? taggedPath : BesidePresentation(context, TaggedFileName(taggedPath));
}

std::string BesidePresentation(ExportContext& context, const std::string& fileName) {
  return PresentationFolder(context) + fileName;
}

bool PackageExists(const std::string& path) {
  return FileExistsByFind(path) && !FolderExists(path);
}

std::string ArchivedPackagePath(ExportContext& context, std::string_view owner, std::string_view fileName) {
  GetSlideIQOB(context, std::string(kEmbeddedContentFolder), context.outputFolder, context.projectArchivePath);
  if (!IsPlainName(owner) || !IsPlainName(fileName)) return {};
  return context.outputFolder + std::string(kEmbeddedContentFolder) + "/" + std::string(owner) + "/" +
         std::string(fileName);
}

std::string ReplayCount(ExportContext& context, const std::string& attempts) {
  if (attempts.empty() || attempts == "0") return "-1";
  return FormatDouble(LeadingNumber(attempts) - 1, context.decimalSeparator);
}

void AddQuizAction(pugi::xml_node element, const std::string& action, const std::string& url,
                   const std::string& slideId) {
  std::string_view type = "action", data;
  if (action == "0") {
    data = "closewindow";
  } else if (action == "1") {
    type = "url";
    data = url;
  } else if (action == "2") {
    data = "next";
  } else if (action == "3") {
    data = "previous";
  } else {
    type = "gotoslide";
    data = slideId;
  }
  AddAttribute(kActionIndent, element, "type", type);
  AddAttribute(kActionIndent, element, "data", data);
}

void AddEncodedType(pugi::xml_node element, PackageKind kind, std::int16_t projectVersion) {
  bool newer = projectVersion >= kNewerPackagesVersion;
  bool quiz = kind == PackageKind::Quiz;
  AddAttribute(kEncodedTypeIndent, element, "EncodedType", quiz ? "quizobject" : "kindraobject");
  AddAttribute(kEncodedTypeIndent, element, "EncodedVersion", quiz ? (newer ? "4" : "3") : (newer ? "3" : "2"));
}

pugi::xml_node AppendPackageContainer(pugi::xml_node parent, std::string_view name) {
  pugi::xml_node element = AppendContainer(parent, name);
  AppendLineBreak(element);
  return element;
}

}  // namespace quillmere
