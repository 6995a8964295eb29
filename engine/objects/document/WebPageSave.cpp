#include "engine/objects/document/WebPageSave.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "engine/model/media/PictureFileType.h"
#include "engine/model/media/SlidePictures.h"
#include "engine/package/GzipCompression.h"
#include "objectmodel/automation/ComError.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& file, const std::string& why) {
  throw ComError(hr::kUnspecified,
                 "Presentation.SaveAs : PowerPoint can't save " + Utf8NativeText(file) + " (" + why + ").");
}

void WriteFile(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) Fail(file, "the file cannot be written");
}

// "image" and a number: a picture a save of the page wrote.
bool IsSavedPicture(const fs::path& file) {
  std::string stem = Utf8Text(file.stem());
  return stem.size() > 5 && stem.starts_with("image") &&
         stem.find_first_not_of("0123456789", 5) == std::string::npos;
}

void MakeEmptyFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directory(folder, error);
  if (error || !fs::is_directory(folder, error)) Fail(folder, "the folder cannot be made");
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (entry.is_regular_file(error) && IsSavedPicture(entry.path())) fs::remove(entry.path(), error);
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

void SaveAsWebPage(PresentationDocument& doc, const fs::path& page, std::string_view title) {
  std::error_code error;
  fs::path where = page.parent_path().empty() ? fs::path(".") : page.parent_path();
  if (page.filename().empty() || !fs::is_directory(where, error)) Fail(page, "the folder does not exist");
  const std::string folderName = Utf8Text(page.stem()) + std::string(kSupportingFilesSuffix);
  const fs::path folder = where / Utf8Path(folderName);
  MakeEmptyFolder(folder);

  std::string body;
  int count = 0;
  for (const std::string& part : SlidePictureParts(doc)) {
    std::string bytes;
    try {
      bytes = doc.Pkg().ReadBytes(part);
    } catch (const PackageError&) {
      continue;
    }
    std::string_view extension = PictureFileExtension(bytes, part);
    if (extension.empty()) continue;
    // A metafile goes into the page compressed, as the application saves one.
    if (extension == "emf" || extension == "wmf") {
      bytes = GzipCompressed(bytes);
      extension = extension == "emf" ? "emz" : "wmz";
    }
    char name[32];
    std::snprintf(name, sizeof name, "image%03d.", ++count);
    std::string file = name + std::string(extension);
    WriteFile(folder / file, bytes);
    body += "<img src=\"" + HtmlEscaped(folderName + "/" + file) + "\">\n";
  }
  WriteFile(page, "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscaped(title) +
                      "</title>\n</head>\n<body>\n" + body + "</body>\n</html>\n");
}

}  // namespace quillmere::engine
