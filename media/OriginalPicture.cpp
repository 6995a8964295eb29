#include "media/OriginalPicture.h"

#include <filesystem>

#include "media/ScratchPresentation.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/Trace.h"
#include "support/files/FileSearch.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr std::int32_t kThemeColorCount = 12;
constexpr std::string_view kCalibrationName = "calibrate";

// Calibration runs once per thread; the suffix then serves every extraction.
thread_local std::string archiveFolderName;

std::string ImageFolder() { return AddPathSeparator(GetTempFolder()) + "imgtemp/"; }

// The theme colours of the page the shape sits on; none for other parents.
Object PageThemeColors(const Object& parent) {
  std::string_view type = parent.TypeName();
  if (type == "Slide" || type == "CustomLayout") return parent.Child("ThemeColorScheme");
  if (type == "Master") return parent.Child("Theme").Child("ThemeColorScheme");
  return {};
}

// Takes away everything the application would otherwise draw into the picture.
void Normalise(const Object& pasted, std::int16_t major) {
  LeavingOutOnFailure([&] { pasted.Put("AutoShapeType", auto_shape::kRectangle); });
  LeavingOutOnFailure([&] { pasted.Call("ScaleHeight", 1.0f, true, scale_from::kTopLeft); });
  LeavingOutOnFailure([&] { pasted.Call("ScaleWidth", 1.0f, true, scale_from::kTopLeft); });
  LeavingOutOnFailure([&] { pasted.Child("Line").Put("Visible", false); });
  LeavingOutOnFailure([&] { pasted.Put("Rotation", 0.0f); });
  LeavingOutOnFailure([&] {
    if (pasted.Get("HorizontalFlip").AsBool()) pasted.Call("Flip", 0);
  });
  LeavingOutOnFailure([&] {
    if (pasted.Get("VerticalFlip").AsBool()) pasted.Call("Flip", 1);
  });
  if (major > 11) {
    LeavingOutOnFailure([&] { pasted.Child("Reflection").Put("Type", 0); });
    LeavingOutOnFailure([&] { pasted.Child("Glow").Put("Radius", 0.0f); });
    LeavingOutOnFailure([&] { pasted.Child("SoftEdge").Put("Type", 0); });
  }
  LeavingOutOnFailure([&] { pasted.Child("Shadow").Put("Visible", false); });
  LeavingOutOnFailure([&] { pasted.Child("ThreeD").Put("Visible", false); });
}

// The picture file the web-page save wrote, as the search order prefers it.
std::string FindSavedPicture(const std::string& exportFolder) {
  for (std::string_view pattern : {"*.png", "*.jpg", "*.emz", "*.wmz"})
    if (std::string name = FindFirstFile(exportFolder, pattern); !name.empty()) return name;
  return {};
}

// A GIF is only the picture when no metafile stands beside it: then the GIF
// is the metafile's drawn stand-in, not the original.
std::string FindGifWithoutMetafile(const std::string& exportFolder) {
  for (std::string_view pattern : {"*.wmz", "*.wmf", "*.emf"})
    if (!FindFirstFile(exportFolder, pattern).empty()) return {};
  return FindFirstFile(exportFolder, "*.gif");
}

}  // namespace

std::string GetArchiveFolderName(ExportContext& context) {
  StepRunner run([](const ComError& e, int step) {
    Trace("GetArchiveFolderName: " + e.Description() + "in GetArchiveFolderName at line " + std::to_string(step));
    return StepAction::Continue;
  });
  std::string folder = AddPathSeparator(GetTempFolder()) + "imgtemp/calibrate/";
  run.Step(1, [&] { CreateFolderPath(folder); });
  Object scratch;
  run.Step(2, [&] { scratch = AddScratchPresentation(context); });
  run.Step(3, [&] {
    scratch.Call("SaveAs", folder + std::string(kCalibrationName) + ".html", save_as::kHtml, kEmbedFontsMixed);
  });
  run.Step(4, [&] { scratch.Call("Close"); });
  std::string suffix;
  if (FolderExists(folder)) {
    std::string name = FindFirstFolder(folder);
    if (name.size() >= kCalibrationName.size()) suffix = TrimSpaces(name.substr(kCalibrationName.size()));
  }
  return suffix;
}

void ForgetArchiveFolderName() { archiveFolderName.clear(); }

std::string GetOriginalPicture(ExportContext& context, const Object& shape) {
  Trace("GetOriginalPicture: Enter - " + CurrentDateTimeText());
  if (archiveFolderName.empty()) archiveFolderName = GetArchiveFolderName(context);
  if (archiveFolderName.empty()) archiveFolderName = "_files";
  StepRunner run([](const ComError& e, int step) {
    Trace(e.Description() + " in Halvexa.mXPorLater.GetOriginalPicture " + std::to_string(step));
    return StepAction::Continue;
  });
  std::string imageFolder = ImageFolder();
  run.Step(3, [&] { CreateFolderPath(imageFolder); });
  Trace("GetOriginalPicture: Entry");
  Object scratch, scratchSlide;
  run.Step(5, [&] {
    scratch = AddScratchPresentation(context);
    scratchSlide = AddBlankSlide(scratch);
  });
  std::int16_t major = 0;
  run.Step(6, [&] { major = context.MajorVersion(); });
  if (major > 11) {
    run.Step(61, [&] {
      Object source = PageThemeColors(shape.Child("Parent"));
      if (!source) return;
      Object scheme = scratchSlide.Child("ThemeColorScheme");
      for (std::int32_t i = 1; i <= kThemeColorCount; ++i)
        scheme.Child("Colors", i).Put("RGB", source.Child("Colors", i).Get("RGB").AsLong());
    });
  }
  run.Step(7, [&] {
    Object shapes = scratchSlide.Child("Shapes");
    if (shapes.Count() > 0) shapes.Child("Range").Call("Delete");
  });
  LeavingOutOnFailure([&] {
    shape.Call("Copy");
    scratchSlide.Child("Shapes").Call("Paste");
    Normalise(scratchSlide.Child("Shapes").Item(1), major);
  });
  std::string page = RandomName(8);
  run.Step(10, [&] { scratch.Call("SaveAs", imageFolder + page + ".html", save_as::kHtml, kEmbedFontsMixed); });
  run.Step(11, [&] { scratch.Call("Close"); });
  std::string exportFolder = imageFolder + page + archiveFolderName;
  std::error_code ec;
  std::filesystem::remove(Utf8Path(exportFolder + "/preview.wmf"), ec);
  std::string found = FindSavedPicture(exportFolder);
  Trace("ExtractOriginalImage:" + page);
  if (found.empty()) found = FindGifWithoutMetafile(exportFolder);
  std::string result = found.empty() ? std::string() : exportFolder + "/" + found;
  Trace("GetOriginalPicture: Value " + result);
  Trace("GetOriginalPicture: Exit - " + CurrentDateTimeText());
  return result;
}

}  // namespace quillmere
