#include "component/PresentationInfoWriter.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include <pugixml.hpp>

#include "QuillmereVersion.h"
#include "media/PlayerTabs.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/xml/FinishedElements.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "slides/DesignProperties.h"
#include "slides/SlideProperties.h"
#include "support/files/Paths.h"
#include "support/registry/Settings.h"

namespace quillmere {
namespace {

// What one call exports: the whole presentation, one slide, or a list.
struct ExportPlan {
  enum class Kind { Whole, OneSlide, Selection } kind = Kind::Whole;
  std::int32_t index = 0;              // OneSlide: 1-based position
  std::vector<std::int32_t> entries;   // Selection, duplicates kept
};

std::vector<std::int32_t> ParseSlideList(std::string_view list) {
  std::vector<std::int32_t> entries;
  std::size_t start = 0;
  while (true) {
    std::size_t bar = list.find('|', start);
    entries.push_back(static_cast<std::int32_t>(LeadingNumber(list.substr(start, bar - start))));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return entries;
}

void SetProjectArchivePath(ExportContext& context) {
  std::string archive = AddPathSeparator(GetParentFolder(context.presentationName)) +
                        GetFileBaseName(context.presentationName, "", true) + ".qpk";
  std::error_code ec;
  context.projectArchivePath = std::filesystem::is_regular_file(Utf8Path(archive), ec) ? archive : std::string();
  context.extractedArchiveFolders.clear();
}

// The units of work progress is reported for: one per slide, shape on a
// slide, layout, and shape on a master or layout; two per design (its turn
// and its master), three before PowerPoint 2007 (the legacy layouts too);
// three of this writer (the header, the slide images, the saved file).
// Shapes of temporary slides are not known beforehand; progress stops at the total.
std::int32_t CountProgressUnits(const std::vector<Object>& slides, const std::vector<Object>& designs,
                                std::int16_t major, StepRunner& run) {
  std::int32_t units = static_cast<std::int32_t>(slides.size()) + 3;
  for (const Object& slide : slides) run.Step(4, [&] { units += slide.Child("Shapes").Count(); });
  for (const Object& design : designs) {
    run.Step(5, [&] {
      Object master = design.Child("SlideMaster");
      units += (major >= 12 ? 2 : 3) + master.Child("Shapes").Count();
      if (major >= 12) {
        Object layouts = master.Child("CustomLayouts");
        for (std::int32_t i = 1, n = layouts.Count(); i <= n; ++i) units += 1 + layouts.Item(i).Child("Shapes").Count();
      } else if (design.Get("HasTitleMaster").AsLong() != 0) {
        units += design.Child("TitleMaster").Child("Shapes").Count();
      }
    });
  }
  return units;
}

std::string Write(ExportContext& context, const Object& pres, const ExportPlan& plan) {
  StepRunner run = SkippingSteps("Presentation Info: ");

  SetProjectArchivePath(context);
  context.presentation = pres;
  context.progressCurrent = 0;
  context.progressMax = 0;
  context.refusalsLogged.clear();

  // The slides and designs this call exports, in export order.
  std::vector<Object> slides, designs;
  if (plan.kind == ExportPlan::Kind::Whole) {
    run.Step(1, [&] {
      Object all = pres.Child("Slides");
      for (int i = 1, n = all.Count(); i <= n; ++i) slides.push_back(all.Item(i));
    });
    run.Step(2, [&] {
      Object all = pres.Child("Designs");
      for (int i = 1, n = all.Count(); i <= n; ++i) designs.push_back(all.Item(i));
    });
  } else if (plan.kind == ExportPlan::Kind::Selection) {
    std::vector<std::int32_t> designIndexes;
    for (std::int32_t entry : plan.entries) {
      run.Step(3, [&] {
        Object slide = pres.Child("Slides").Item(entry);
        slides.push_back(slide);
        Object design = slide.Child("Design");
        std::int32_t index = design.Get("Index").AsLong();
        if (std::find(designIndexes.begin(), designIndexes.end(), index) == designIndexes.end()) {
          designIndexes.push_back(index);
          designs.push_back(design);
        }
      });
    }
  }
  std::int16_t major = 0;
  run.Step(6, [&] { major = context.MajorVersion(); });
  if (plan.kind != ExportPlan::Kind::OneSlide) context.progressMax = CountProgressUnits(slides, designs, major, run);

  context.ReportProgress();
  if (context.CheckAbort()) return {};

  pugi::xml_document doc;
  FinishedElements finished;
  pugi::xml_node presentation = AppendContainer(doc, "Presentation");
  AppendLineBreak(presentation);
  pugi::xml_node slidesElement, designsElement;

  float version = 0.0f;
  run.Step(10, [&] { version = static_cast<float>(LeadingNumber(context.application.Get("Version").AsString())); });
  AddElement(4, presentation, "PPTVersion", FormatSingle(version));
  if (plan.kind != ExportPlan::Kind::Selection) {
    AddElement(4, presentation, "ImporterVersion",
               std::to_string(QUILLMERE_VERSION_MAJOR) + "." + std::to_string(QUILLMERE_VERSION_MINOR) + "." +
                   std::to_string(QUILLMERE_VERSION_TWEAK));
  }
  context.CountProgress();

  std::string copy;
  if (version > 11.0f) {
    std::string path = AddPathSeparator(context.outputFolder) + RandomName(8) + ".pptx";
    if (run.Step(11, [&] { pres.Call("SaveCopyAs", path, save_as::kOpenXmlPresentation); })) copy = path;
  }
  AddElement(4, presentation, "PPTXCopy", copy);

  ReadSlideSize(context, pres, run, 12);
  AddElement(4, presentation, "Height", RoundedText(context.slideHeight * context.scaleY));
  AddElement(4, presentation, "Width", RoundedText(context.slideWidth * context.scaleX));
  std::int32_t slideCount = 0;
  run.Step(13, [&] { slideCount = pres.Child("Slides").Count(); });
  AddElement(4, presentation, "SlideCount", std::to_string(slideCount));
  slidesElement = AppendContainer(presentation, "Slides");
  designsElement = AppendContainer(presentation, "Designs");

  if (plan.kind == ExportPlan::Kind::OneSlide) {
    Object slide;
    run.Step(15, [&] { slide = pres.Child("Slides").Item(plan.index); });
    if (slide) SlideProperties(context, slide, slidesElement, true);
  } else {
    context.CountProgress();
    if (plan.kind == ExportPlan::Kind::Whole) ExportSlideImages(context, pres, run, 14);
    UsedLayouts used;
    for (const Object& slide : slides) {
      context.CountProgress();
      run.Step(16, [&] { used.Add(slide.Child("Design").Get("Index").AsLong(), slide.Get("Layout").AsLong()); });
      SlideProperties(context, slide, slidesElement, false);
      finished.KeepLastElementOf(slidesElement);
      if (context.CheckAbort()) return {};
    }
    for (const Object& design : designs) {
      context.CountProgress();
      DesignProperties(context, design, designsElement, pres, used);
      finished.KeepLastElementOf(designsElement);
      if (context.CheckAbort()) return {};
    }
  }

  WritePlayerTabs(context, pres, presentation, GetProjectVersion(pres));

  std::string path = AddPathSeparator(context.outputFolder) + "presentationinfo.xml";
  if (!finished.Save(doc, path)) {
    WriteExportLog("Presentation Info: could not write " + path);
    return {};
  }
  if (plan.kind != ExportPlan::Kind::OneSlide) {
    context.CountProgress();
  }
  return path;
}

}  // namespace

void PointsToPixels(float& width, float& height) {
  // The screen resolution of a desktop; a setting, as there is no screen here.
  double dpi = LeadingNumber(GetSetting("Quillmere", "Display", "ScreenResolution", "96"));
  if (dpi <= 0) dpi = 96;
  width = static_cast<float>(width * 20.0 * dpi / 1440.0);
  height = static_cast<float>(height * 20.0 * dpi / 1440.0);
}

void ReadSlideSize(ExportContext& context, const Object& presentation, StepRunner& run, int step) {
  run.Step(step, [&] {
    Object setup = presentation.Child("PageSetup");
    context.slideHeight = setup.Get("SlideHeight").AsSingle();
    context.slideWidth = setup.Get("SlideWidth").AsSingle();
  });
  float w = context.slideWidth, h = context.slideHeight;
  PointsToPixels(w, h);
  context.scaleX = context.slideWidth != 0.0f ? w / context.slideWidth : 0.0f;
  context.scaleY = context.slideHeight != 0.0f ? h / context.slideHeight : 0.0f;
}

void ExportSlideImages(ExportContext& context, const Object& presentation, StepRunner& run, int step) {
  run.Step(step, [&] {
    presentation.Call("Export", context.outputFolder, "PNG",
                      static_cast<std::int32_t>(RoundHalfEven(context.slideWidth / 4)),
                      static_cast<std::int32_t>(RoundHalfEven(context.slideHeight / 4)));
  });
}

std::string WritePresentationInfo(ExportContext& context, const Object& presentation, std::int32_t index) {
  ExportPlan plan;
  if (index != -1) {
    plan.kind = ExportPlan::Kind::OneSlide;
    plan.index = index;
  }
  return Write(context, presentation, plan);
}

std::string WriteSelectionInfo(ExportContext& context, const Object& presentation, std::string_view slideList) {
  ExportPlan plan;
  plan.kind = ExportPlan::Kind::Selection;
  plan.entries = ParseSlideList(slideList);
  return Write(context, presentation, plan);
}

}  // namespace quillmere
