#include <filesystem>

#include "component/ExportState.h"
#include "component/trace/Trace.h"
#include "component/xml/XmlHelpers.h"
#include "shapes/MediaFiles.h"
#include "shapes/ShapeBranches.h"
#include "support/Paths.h"

namespace quillmere {
namespace {

constexpr std::int32_t kSound = 2;
constexpr std::int32_t kMovie = 3;

std::string LinkedSource(const Object& shape) {
  try {
    return shape.Child("LinkFormat").Get("SourceFullName").AsString();
  } catch (const std::exception&) {
    return {};  // embedded, not linked
  }
}

std::string SoundFile(ShapeContext& c) {
  std::string linked = LinkedSource(c.shape);
  if (!linked.empty() && std::filesystem::exists(linked)) {
    Trace("Sound Media: Linked. Copying source file...");
    return CopyIntoOutputFolder(linked);
  }
  const ExportState& state = CurrentExportState();
  std::string path;
  if (c.majorVersion >= 14) {
    // The sound's extraction from the presentation package runs here and names this path.
    Trace("Sound Media: File not on disk. ");
    return path;
  }
  path = state.outputFolder + RandomName(8) + "_" + c.shape.Get("Name").AsString() +
         std::to_string(c.shape.Get("id").AsLong()) + ".wav";
  Trace("Sound Media: Export format file: " + path);
  c.shape.Child("SoundFormat").Call("Export", path);
  if (!std::filesystem::exists(path)) {
    Trace("Sound Media: File not on disk.");
    return path;
  }
  if (IsMp3File(path)) {
    Trace("Sound Media: Renaming to mp3");
    path = RenameToMp3(path);
  }
  return path;
}

}  // namespace

void WriteMedia(ShapeContext& c) {
  std::int32_t mediaType = 0;
  c.run.Step(500, [&] { mediaType = c.shape.Get("MediaType").AsLong(); });
  if (mediaType == kSound) {
    AddElement(kShapeIndent, c.element, "MediaType", "2");
    c.run.Step(501, [&] { AddElement(kShapeIndent, c.element, "Media", SoundFile(c)); });
    return;
  }
  if (mediaType != kMovie) {
    WriteDefaultImage(c);
    return;
  }
  AddElement(kShapeIndent, c.element, "MediaType", "3");
  std::string movie;
  c.run.Step(502, [&] {
    std::string linked = LinkedSource(c.shape);
    if (!linked.empty() && std::filesystem::exists(linked)) movie = CopyIntoOutputFolder(linked);
  });
  // For an embedded movie (version 12 and later) the extraction from the presentation package runs here.
  if (!movie.empty() && std::filesystem::exists(movie)) {
    AddElement(kShapeIndent, c.element, "Movie", movie);
    return;
  }
  WriteDefaultImage(c);
}

}  // namespace quillmere
