#include "media/ShapeMediaCopy.h"

#include <array>
#include <filesystem>
#include <utility>

#include "media/ScratchPresentation.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "support/files/FileSearch.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"
#include "utilities/zip/Unzip.h"

namespace quillmere {
namespace {

// The sound parts a one-shape package holds, in the order they are preferred,
// with the extension each keeps.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kSoundParts{{
    {"audio1.wav", ".wav"},
    {"media1.wav", ".wav"},
    {"media1.mp3", ".mp3"},
    {"media1.m4a", ".m4a"},
}};

// Saves a scratch presentation holding only a copy of the shape and unpacks
// every part of it, flattened, into a fresh folder; returns that folder.
std::string UnpackShapeCopy(ExportContext& context, const Object& shape) {
  Trace("ExtractSoundFromShape: Enter");
  std::string package = GetTempFolder() + RandomName(8) + ".pptx";
  LeavingOutOnFailure([&] {
    Object scratch = AddScratchPresentation(context);
    LeavingOutOnFailure([&] {
      Object slide = AddBlankSlide(scratch);
      LeavingOutOnFailure([&] {
        Object shapes = slide.Child("Shapes");
        if (shapes.Count() > 0) shapes.Child("Range").Call("Delete");
      });
      LeavingOutOnFailure([&] {
        shape.Call("Copy");
        slide.Child("Shapes").Call("Paste");
      });
    });
    LeavingOutOnFailure([&] { scratch.Call("SaveAs", package, save_as::kOpenXmlPresentation, kEmbedFontsMixed); });
    LeavingOutOnFailure([&] { scratch.Call("Close"); });
  });
  std::string folder = AddPathSeparator(GetTempFolder() + RandomName(8));
  cUnzip unzip;
  unzip.SetZipFile(package);
  unzip.SetOverwriteExisting(true);
  unzip.SetPromptToOverwrite(false);
  CreateFolderPath(folder);
  unzip.SetUnzipFolder(folder);
  Trace("Extract Folder: " + folder);
  unzip.SetUseFolderNames(false);
  unzip.Unzip();
  return folder;
}

}  // namespace

std::string ExtractSoundFromShape(ExportContext& context, const Object& shape, const std::string& basePath) {
  std::string folder = UnpackShapeCopy(context, shape);
  for (auto [part, extension] : kSoundParts) {
    // The parts are named in lower case; a differently cased name is the same part.
    std::string found = FindFirstFile(folder, part);
    if (found.empty()) continue;
    std::string target = basePath + std::string(extension);
    CopyFileOverwriting(folder + found, target);
    return target;
  }
  return {};
}

std::string ExtractMediaFromShape(ExportContext& context, const Object& shape, const std::string& folder) {
  std::string unpacked = UnpackShapeCopy(context, shape);
  std::string found = FindFirstFile(unpacked, "media1.*");
  if (TrimSpaces(found).empty()) return {};
  std::string newName = RandomName(8) + found;
  CopyFileOverwriting(unpacked + found, AddPathSeparator(folder) + newName);
  return folder + newName;  // the callers' folders end in a separator
}

std::string GetLinkedSoundSource(const Object& shape) {
  std::string source;
  LeavingOutOnFailure([&] { source = shape.Child("LinkFormat").Get("SourceFullName").AsString(); });
  return source;
}

}  // namespace quillmere
