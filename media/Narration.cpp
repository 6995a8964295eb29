#include "media/Narration.h"

#include "media/ExportArchiveHandler.h"
#include "media/ShapeMediaCopy.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr int kNarrationIndent = 2;

// A sound that plays first on the slide is how a recorded narration is kept.
bool IsNarrationSound(const Object& shape) {
  bool narration = false;
  LeavingOutOnFailure([&] {
    Object animation = shape.Child("AnimationSettings");
    narration = animation.Get("Animate").AsBool() && animation.Get("AnimationOrder").AsLong() == 1 &&
                shape.Get("Type").AsLong() == shape_type::kMedia &&
                shape.Get("MediaType").AsLong() == media_type::kSound;
  });
  return narration;
}

// The file the sound shape's narration was written to, or empty.
std::string WriteNarrationOf(ExportContext& context, const Object& shape, const Object& slide,
                             const std::string& folder, std::string& linkedSource) {
  CreateFolderPath(folder);
  Trace("PowerPoint narration: Found...");
  std::string source = GetLinkedSoundSource(shape);
  if (!TrimSpaces(source).empty() && PathExists(source)) {
    linkedSource = source;
    return {};
  }
  std::string track;
  LeavingOutOnFailure([&] { track = folder + "track" + std::to_string(slide.Get("SlideID").AsLong()); });
  std::string target;
  LeavingOutOnFailure([&] {
    if (context.MajorVersion() < 14) {
      target = track + ".wav";
      shape.Child("SoundFormat").Call("Export", target);
    } else {
      target = ExtractSoundFromShape(context, shape, track);
    }
  });
  return PathExists(target) ? target : std::string();
}

}  // namespace

bool ExtractProjectNarration(ExportContext& context, const std::string& audioFileName, const std::string& outputFolder,
                             const std::string& projectArchivePath) {
  LeavingOutOnFailure([&] {
    cProjectFileHandler handler = ExportArchiveHandler(context, outputFolder, projectArchivePath);
    std::string track = audioFileName;
    handler.ExtractNarration(track);
    handler.ExitCode();  // what went wrong is in the trace; the file below is the answer
  });
  return FileExistsByFind(AddPathSeparator(outputFolder) + "narration/" + audioFileName);
}

bool FindPowerPointNarration(ExportContext& context, const std::string& outputFolder, const Object& slide,
                             std::string& audioPath) {
  Trace("Locating PowerPoint narration: Searching...");
  std::string folder = AddPathSeparator(AddPathSeparator(outputFolder) + "narration");
  bool animated = false;
  LeavingOutOnFailure([&] { animated = slide.Child("TimeLine").Child("MainSequence").Count() >= 1; });
  if (!animated) return false;
  std::int32_t count = 0;
  Object shapes;
  LeavingOutOnFailure([&] {
    shapes = slide.Child("Shapes");
    count = shapes.Count();
  });
  for (std::int32_t i = 1; i <= count; ++i) {
    Object shape;
    LeavingOutOnFailure([&] { shape = shapes.Item(i); });
    if (!shape || !IsNarrationSound(shape)) continue;
    std::string linkedSource;
    std::string written = WriteNarrationOf(context, shape, slide, folder, linkedSource);
    if (!linkedSource.empty()) {
      audioPath = folder + GetFileBaseName(linkedSource);
      CopyFileOverwriting(linkedSource, audioPath);
      return true;
    }
    if (!written.empty()) {
      audioPath = written;
      return true;
    }
  }
  return false;
}

void WriteSlideNarration(ExportContext& context, const Object& slide, pugi::xml_node slideElement) {
  if (!context.projectArchivePath.empty()) {
    std::string track;
    LeavingOutOnFailure([&] { track = "track" + std::to_string(slide.Get("SlideID").AsLong()) + ".mp3"; });
    if (!track.empty() && ExtractProjectNarration(context, track, context.outputFolder, context.projectArchivePath)) {
      AddElement(kNarrationIndent, slideElement, "LumideskNarration",
                 AddPathSeparator(context.outputFolder) + "narration/" + track);
      return;
    }
  }
  std::string audioPath;
  if (FindPowerPointNarration(context, context.outputFolder, slide, audioPath)) {
    AddElement(kNarrationIndent, slideElement, "LumideskNarration",
               AddPathSeparator(context.outputFolder) + "narration/" + GetFileBaseName(audioPath));
    return;
  }
  AddElement(kNarrationIndent, slideElement, "LumideskNarration", "");
}

}  // namespace quillmere
