#include "media/ShapeMediaCopy.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/MediaFiles.h"
#include "shapes/ShapeBranches.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

std::string SoundFile(ExportContext& context, ShapeContext& c) {
  std::string linked = GetLinkedSoundSource(c.shape);
  if (PathExists(linked)) {
    Trace("Sound Media: Linked. Copying source file...");
    return CopyIntoOutputFolder(context, linked);
  }
  std::string base = context.outputFolder + RandomName(8) + "_" + c.shape.Get("Name").AsString() +
                     std::to_string(c.shape.Get("id").AsLong());
  std::string path;
  if (c.majorVersion >= 14) {
    Trace("Extracting source from pptx.");
    path = ExtractSoundFromShape(context, c.shape, base);
    if (!PathExists(path)) {
      Trace("Sound Media: File not on disk. ");
      return path;
    }
  } else {
    path = base + ".wav";
    Trace("Sound Media: Export format file: " + path);
    c.shape.Child("SoundFormat").Call("Export", path);
    if (!PathExists(path)) {
      Trace("Sound Media: File not on disk.");
      return path;
    }
  }
  if (IsMp3File(path)) {
    Trace("Sound Media: Renaming to mp3");
    path = RenameToMp3(path);
  }
  return path;
}

}  // namespace

void WriteMedia(ExportContext& context, ShapeContext& c) {
  std::int32_t mediaType = 0;
  c.run.Step(500, [&] { mediaType = c.shape.Get("MediaType").AsLong(); });
  if (mediaType == media_type::kSound) {
    AddElement(kShapeIndent, c.element, "MediaType", "2");
    c.run.Step(501, [&] { AddElement(kShapeIndent, c.element, "Media", SoundFile(context, c)); });
    return;
  }
  if (mediaType != media_type::kMovie) {
    WriteDefaultImage(context, c);
    return;
  }
  AddElement(kShapeIndent, c.element, "MediaType", "3");
  std::string movie;
  c.run.Step(502, [&] {
    std::string linked = GetLinkedSoundSource(c.shape);
    if (PathExists(linked)) {
      movie = CopyIntoOutputFolder(context, linked);
    } else if (c.majorVersion >= 12) {
      movie = ExtractMediaFromShape(context, c.shape, context.outputFolder);
    }
  });
  if (PathExists(movie)) {
    AddElement(kShapeIndent, c.element, "Movie", movie);
    return;
  }
  WriteDefaultImage(context, c);
}

}  // namespace quillmere
