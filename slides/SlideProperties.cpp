#include "slides/SlideProperties.h"

#include <memory>
#include <optional>
#include <vector>

#include "media/EmbeddedPackages.h"
#include "media/Narration.h"
#include "media/QuizObjects.h"
#include "media/WebObjects.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/FillProperties.h"
#include "shapes/ShapeProperties.h"
#include "shapes/TextProperties.h"
#include "slides/AnimationSettings.h"
#include "slides/HyperlinkProperties.h"
#include "slides/SlideColorScheme.h"
#include "slides/SlideTitle.h"
#include "slides/SlideTransition.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr std::string_view kSlideLabel = "Slide Properties: ";
constexpr std::string_view kLocation = " in Quillmere.bXML.SlideProperties at line ";

// A busy PowerPoint is waited for (six retries per slide in all); any other
// failure loses only the item being written.
StepRunner SlideSteps(ExportContext& context, const Object& slide) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([&context, slide, retries](const ComError& e, int step) {
    std::string index, name;
    try {
      index = std::to_string(slide.Get("SlideIndex").AsLong());
      name = slide.Get("Name").AsString();
    } catch (const std::exception&) {
      // The report names what could be read.
    }
    std::string text = ErrorLogText(std::string(kSlideLabel), e, std::string(kLocation), step);
    std::string slideLabel = "Slide - " + index;
    std::string detail = text + " Slide name: " + name + "(" + index + ") " + slideLabel;
    Trace(detail);
    if (e.Number() != hr::kCallRejected) {
      LogWriterError(context, e, detail);
      return StepAction::Continue;
    }
    if (*retries <= kRetryLimit) {
      ++*retries;
      context.SleepFor(kRetryDelayMs);
      WriteExportLog(text + " - " + std::to_string(*retries) + " " + " -- " + slideLabel);
      return StepAction::Retry;
    }
    WriteExportLog(text + slideLabel);
    return StepAction::Continue;
  });
}

// The authoring tool's navigation level; never below 1.
std::string TocLevel(const Object& slide) {
  std::int64_t level = RoundHalfEven(LeadingNumber(GetTag(slide, "CORVANTA_NAV_LEVEL")));
  return std::to_string(level < 1 ? 1 : level);
}

// The shapes written by the web, Flash and video writers instead of the shape writer.
struct TaggedMediaShapes {
  std::vector<Object> webObjects;  // in slide order
  Object flash;                    // the last one tagged
};

bool IsTaggedWebObject(const Object& shape) {
  std::string web = GetTag(shape, "OVERRIDE_WO");
  return web == "YES" || LowerAscii(web) == "true";
}

TaggedMediaShapes WriteSlideShapes(ExportContext& context, const Object& slide, pugi::xml_node shapesElement,
                                   StepRunner& run) {
  TaggedMediaShapes tagged;
  Object shapes;
  std::int32_t count = 0;
  run.Step(37, [&] {
    shapes = slide.Child("Shapes");
    count = shapes.Count();
  });
  for (std::int32_t i = 1; i <= count; ++i) {
    Object shape;
    run.Step(38, [&] { shape = shapes.Item(i); });
    if (!shape) {
      context.CountProgress();
    } else if (IsTaggedWebObject(shape)) {
      tagged.webObjects.push_back(shape);
      context.CountProgress();  // written by their own writer; they still count as done
    } else if (GetTag(shape, "OVERRIDE_SWF") == "YES") {
      tagged.flash = shape;
      context.CountProgress();
    } else {
      ShapeProperties(context, shape, shapesElement, true);
    }
  }
  return tagged;
}

void WriteTaggedMediaShapes(ExportContext& context, const Object& slide, pugi::xml_node element,
                            const TaggedMediaShapes& tagged) {
  if (tagged.webObjects.empty() && !tagged.flash) return;
  std::int16_t version = 0;
  LeavingOutOnFailure([&] { version = GetProjectVersion(slide.Child("Parent")); });
  if (!tagged.webObjects.empty()) {
    pugi::xml_node webObjects = AppendContainer(element, "WebObjects");
    for (const Object& shape : tagged.webObjects) WriteWebObject(context, slide, webObjects, shape, version);
  }
  if (!tagged.flash) return;
  if (version < 7)
    WriteFlashObject(context, slide, element, tagged.flash);
  else
    WriteVideoObject(context, slide, element, tagged.flash);
}

// A slide the authoring tool made stand for a quiz or interaction package
// writes that package instead of its content.
std::optional<PackageKind> WritePackageSlide(ExportContext& context, const Object& slide, pugi::xml_node element) {
  if (GetTag(slide, "OVERRIDE") == "EXAMORA_QUIZ_SLIDE" && WriteQuizSlide(context, slide, element))
    return PackageKind::Quiz;
  if (GetTag(slide, "OVERRIDE") == "KINDRA_INTERACTION_SLIDE" && WriteKindraSlide(context, slide, element))
    return PackageKind::Kindra;
  return std::nullopt;
}

std::string Flag(const Object& slide, std::string_view member) { return BoolText(slide.Get(member).AsLong() != 0); }

}  // namespace

void SlideProperties(ExportContext& context, const Object& slide, pugi::xml_node parent, bool exportImage) {
  StepRunner run = SlideSteps(context, slide);
  std::string id;
  run.Step(1, [&] { id = std::to_string(slide.Get("SlideID").AsLong()); });
  Trace(std::string(kSlideLabel) + id + " Enter - " + CurrentDateTimeText());

  pugi::xml_node element = AppendContainer(parent, "Slide");
  AppendLineBreak(element);
  std::string title, thumbnail;
  run.Step(2, [&] {
    title = GetSlideTitle(slide);
    AddElement(4, element, "SlideTitle", title);
  });
  run.Step(3, [&] { AddElement(4, element, "CorvantaSlideTitle", title); });
  run.Step(4, [&] {
    thumbnail = context.outputFolder + "slide" + std::to_string(slide.Get("SlideIndex").AsLong()) + ".png";
    AddElement(4, element, "Thumbnail", thumbnail);
  });
  if (exportImage) {
    run.Step(5, [&] {
      slide.Call("Export", thumbnail, "PNG", static_cast<std::int32_t>(RoundHalfEven(context.slideWidth)),
                 static_cast<std::int32_t>(RoundHalfEven(context.slideHeight)));
    });
  }

  std::int16_t major = 0;
  run.Step(6, [&] { major = context.MajorVersion(); });
  if (major >= 12) {
    run.Step(7, [&] {
      if (!SlideColorsMatchLayout(context, slide)) ColorSchemeProperties(slide, element);
    });
  }

  std::optional<PackageKind> package = WritePackageSlide(context, slide, element);

  run.Step(8, [&] { AddElement(4, element, "FollowMasterBackground", Flag(slide, "FollowMasterBackground")); });
  run.Step(9, [&] { AddElement(4, element, "DisplayMasterShapes", Flag(slide, "DisplayMasterShapes")); });
  run.Step(10, [&] { AddElement(4, element, "DesignId", std::to_string(slide.Child("Design").Get("Index").AsLong())); });
  run.Step(11, [&] { AddElement(4, element, "HideNav", BoolText(GetTag(slide, "CORVANTA_HIDE_SLIDE") == "1")); });
  run.Step(12, [&] { AddElement(4, element, "WaitForUser", LowerBoolText(GetTag(slide, "CORVANTA_SLIDE_PAUSE") == "1")); });
  WriteSlideNarration(context, slide, element);
  if (!package) WriteTransition(context, slide, element, run, 13);
  if (Object notes = FindNotesPlaceholder(slide, placeholder::kBody))
    TextRangeProperties(context, notes, element, "Notes");
  run.Step(30, [&] {
    std::int32_t layout = major >= 12 ? slide.Child("CustomLayout").Get("Index").AsLong() : slide.Get("Layout").AsLong();
    AddElement(4, element, "LayoutId", std::to_string(layout));
  });
  run.Step(31, [&] {
    AddElement(4, element, "BackgroundStyle", major >= 12 ? std::to_string(slide.Get("BackgroundStyle").AsLong()) : "0");
  });
  pugi::xml_node shapesElement;
  if (!package) {
    run.Step(37, [&] {
      // A slide with a background of its own describes it.
      if (slide.Get("FollowMasterBackground").AsLong() != tri_state::kTrue)
        FillProperties(context, slide.Child("Background"), element, "Background", slide);
    });
    shapesElement = AppendContainer(element, "Shapes");
  }

  run.Step(32, [&] { AddAttribute(2, element, "id", std::to_string(slide.Get("SlideID").AsLong())); });
  run.Step(33, [&] { AddAttribute(2, element, "index", std::to_string(slide.Get("SlideIndex").AsLong())); });
  run.Step(34, [&] { AddAttribute(2, element, "name", slide.Get("Name").AsString()); });
  run.Step(35, [&] { AddAttribute(2, element, "TocLevel", TocLevel(slide)); });
  run.Step(36, [&] {
    AddAttribute(2, element, "TocVisible", LowerBoolText(LeadingNumber(GetTag(slide, "CORVANTA_HIDE_SLIDE")) != 1));
  });
  if (package) {
    // The package is the slide's whole content; its shapes count as done.
    LeavingOutOnFailure([&] { context.progressCurrent += slide.Child("Shapes").Count(); });
    std::int16_t version = 0;
    LeavingOutOnFailure([&] { version = GetProjectVersion(slide.Child("Parent")); });
    AddEncodedType(element, *package, version);
    return;
  }
  WriteTaggedMediaShapes(context, slide, element, WriteSlideShapes(context, slide, shapesElement, run));
  AnimationSettings(context, slide, element);
  HyperlinkProperties(context, slide, element);
  Trace(std::string(kSlideLabel) + id + " Exit - " + CurrentDateTimeText());
}

std::int16_t GetProjectVersion(const Object& presentation) {
  try {
    std::string tagged = GetTag(presentation, "CORVANTA_LUMIDESK_VERSION");
    if (!TrimSpaces(tagged).empty()) return static_cast<std::int16_t>(RoundHalfEven(LeadingNumber(tagged)));
    Object property = presentation.Child("CustomDocumentProperties").Item("CorvantaProjectVersion");
    return static_cast<std::int16_t>(RoundHalfEven(LeadingNumber(property.Get("Value").AsString())));
  } catch (const std::exception&) {
    return 0;
  }
}

Object FindNotesPlaceholder(const Object& slide, std::int32_t placeholderType) {
  try {
    Object placeholders = slide.Child("NotesPage").Child("Shapes").Child("Placeholders");
    for (std::int32_t i = 1, n = placeholders.Count(); i <= n; ++i) {
      Object placeholder = placeholders.Item(i);
      if (placeholder.Child("PlaceholderFormat").Get("Type").AsLong() == placeholderType) return placeholder;
    }
  } catch (const std::exception&) {
    // No notes page, or one that cannot be read: no placeholder.
  }
  return {};
}

}  // namespace quillmere
