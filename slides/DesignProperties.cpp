#include "slides/DesignProperties.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <tuple>

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/FillProperties.h"
#include "shapes/ShapeProperties.h"
#include "slides/AnimationSettings.h"
#include "slides/HyperlinkProperties.h"
#include "slides/LayoutNames.h"
#include "slides/ThemeTables.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr std::string_view kDesignLabel = "Design Properties: ";
constexpr int kSchemeIndent = 16;

// A busy PowerPoint is waited for, six times per design at most and without a
// log line; any other failure is logged and loses only the item being written.
StepRunner DesignSteps(ExportContext& context) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([&context, retries](const ComError& e, int step) {
    if (e.Number() == hr::kCallRejected) {
      if (*retries > kRetryLimit) return StepAction::Continue;
      ++*retries;
      context.SleepFor(kRetryDelayMs);
      return StepAction::Retry;
    }
    WriteExportLog(ErrorLogText("", e, "in Quillmere.bXML.DesignProperties at line ", step));
    return StepAction::Continue;
  });
}

struct DesignWriter {
  DesignWriter(ExportContext& c, const Object& d, const Object& p) : context(c), design(d), presentation(p) {}

  ExportContext& context;
  const Object& design;
  const Object& presentation;
  StepRunner run = DesignSteps(context);
  std::int16_t major = 0;
  std::int32_t index = 0;
  std::string name;
  Object master;

  void WriteColorScheme(pugi::xml_node element) {
    Object scheme;
    if (major >= 12) {
      run.Step(21, [&] { scheme = master.Child("Theme").Child("ThemeColorScheme"); });
      run.Step(22, [&] { AddElement(kSchemeIndent, element, "Name", ThemeColorSchemeName(scheme)); });
    } else {
      run.Step(21, [&] { scheme = master.Child("ColorScheme"); });
      run.Step(22, [&] { AddElement(kSchemeIndent, element, "Name", ""); });
    }
    int step = 23;
    for (const SchemeSlot& slot : kSchemeSlots) {
      std::int32_t color = major >= 12 ? slot.themeIndex : slot.legacyIndex;
      run.Step(step++, [&] {
        AddElement(kSchemeIndent, element, slot.element,
                   std::to_string(scheme.Child("Colors", color).Get("RGB").AsLong()));
      });
    }
  }

  void WriteFontTheme(pugi::xml_node element) {
    if (major >= 12) {
      Object fonts;
      run.Step(41, [&] { fonts = master.Child("Theme").Child("ThemeFontScheme"); });
      run.Step(42, [&] {
        std::string theme = DesignThemeFontName(name, fonts);
        AddElement(kSchemeIndent, element, "Name", theme.empty() ? ThemeFontSchemeName(fonts) : theme);
      });
      run.Step(43, [&] {
        AddElement(kSchemeIndent, element, "MajorFont", fonts.Child("MajorFont", kLatinScript).Get("Name").AsString());
      });
      run.Step(44, [&] {
        AddElement(kSchemeIndent, element, "MinorFont", fonts.Child("MinorFont", kLatinScript).Get("Name").AsString());
      });
    } else {
      Object fonts;
      run.Step(41, [&] { fonts = presentation.Child("Fonts"); });
      run.Step(42, [&] { AddElement(kSchemeIndent, element, "Name", ""); });
      run.Step(43, [&] { AddElement(kSchemeIndent, element, "MajorFont", fonts.Item(1).Get("Name").AsString()); });
      run.Step(44, [&] {
        AddElement(kSchemeIndent, element, "MinorFont", fonts.Item(fonts.Count() > 1 ? 2 : 1).Get("Name").AsString());
      });
    }
  }

  // The shapes of a master, layout or slide into shapesElement. False when
  // the host cancelled (checked after each shape when checkAbort is set).
  bool WriteShapes(const Object& owner, pugi::xml_node shapesElement, int step, bool checkAbort) {
    Object shapes;
    std::int32_t count = 0;
    run.Step(step, [&] {
      shapes = owner.Child("Shapes");
      count = shapes.Count();
    });
    for (std::int32_t i = 1; i <= count; ++i) {
      Object shape;
      run.Step(step + 1, [&] { shape = shapes.Item(i); });
      // A shape that cannot be read still counts as done.
      if (shape)
        ShapeProperties(context, shape, shapesElement, true);
      else
        context.CountProgress();
      if (checkAbort && context.CheckAbort()) return false;
    }
    return true;
  }

  void WriteAnimationsAndLinks(const Object& owner, pugi::xml_node element) {
    AnimationSettings(context, owner, element);
    HyperlinkProperties(context, owner, element);
  }

  // A CustomLayout with its Shapes container, appended to the master's element.
  static std::pair<pugi::xml_node, pugi::xml_node> NewLayoutElement(pugi::xml_node masterElement) {
    pugi::xml_node layout = AppendContainer(masterElement, "CustomLayout");
    return {layout, AppendContainer(layout, "Shapes")};
  }

  bool WriteTitleMaster(pugi::xml_node masterElement) {
    Object titleMaster;
    run.Step(61, [&] { titleMaster = design.Child("TitleMaster"); });
    pugi::xml_node element, shapesElement;  // no structured binding: clang 14 lambdas cannot capture one
    std::tie(element, shapesElement) = NewLayoutElement(masterElement);
    AddAttribute(2, element, "id", "1");
    run.Step(62, [&] { AddAttribute(2, element, "name", name); });
    run.Step(63, [&] { FillProperties(context, titleMaster.Child("Background"), element, "Background", titleMaster); });
    if (!WriteShapes(titleMaster, shapesElement, 64, true)) return false;
    WriteAnimationsAndLinks(titleMaster, element);
    return true;
  }

  // A used layout recreated on a temporary slide of this design, deleted again.
  bool WriteUsedLayout(pugi::xml_node masterElement, std::int32_t layout) {
    pugi::xml_node element, shapesElement;  // no structured binding: clang 14 lambdas cannot capture one
    std::tie(element, shapesElement) = NewLayoutElement(masterElement);
    Object slide;
    run.Step(71, [&] {
      Object slides = presentation.Child("Slides");
      slide = slides.Child("Add", slides.Count() + 1, layout);
    });
    run.Step(72, [&] { slide.Put("Design", design.Ptr()); });
    AddAttribute(2, element, "id", std::to_string(layout));
    AddAttribute(2, element, "name", LayoutName(layout));
    AddElement(4, element, "FollowMasterBackground", BoolText(true));
    AddElement(4, element, "DisplayMasterShapes", BoolText(true));
    run.Step(73, [&] { FillProperties(context, master.Child("Background"), element, "Background", master); });
    bool going = !slide || WriteShapes(slide, shapesElement, 74, true);
    run.Step(76, [&] { slide.Call("Delete"); });
    return going;
  }

  bool WriteLegacyLayouts(pugi::xml_node masterElement, const UsedLayouts& used) {
    context.CountProgress();
    bool hasTitleMaster = false;
    run.Step(60, [&] { hasTitleMaster = design.Get("HasTitleMaster").AsLong() != 0; });
    if (hasTitleMaster && !WriteTitleMaster(masterElement)) return false;
    for (const std::string& entry : used.Entries()) {
      std::size_t hyphen = entry.find('-');
      auto designIndex = static_cast<std::int32_t>(LeadingNumber(entry.substr(0, hyphen)));
      auto layout =
          static_cast<std::int32_t>(LeadingNumber(hyphen == std::string::npos ? "" : entry.substr(hyphen + 1)));
      if (designIndex != index) continue;
      if (layout == layout::kTitle && hasTitleMaster) continue;  // the title master stands for it
      if (!WriteUsedLayout(masterElement, layout)) return false;
    }
    return true;
  }

  bool WriteCustomLayout(pugi::xml_node masterElement, const Object& layouts, std::int32_t i,
                         const std::string& masterStyle) {
    pugi::xml_node element, shapesElement;  // no structured binding: clang 14 lambdas cannot capture one
    std::tie(element, shapesElement) = NewLayoutElement(masterElement);
    Object layout;
    run.Step(81, [&] { layout = layouts.Item(i); });
    AddAttribute(2, element, "id", std::to_string(i));
    run.Step(82, [&] { AddAttribute(2, element, "name", layout.Get("Name").AsString()); });
    bool follows = true;
    run.Step(83, [&] { follows = layout.Get("FollowMasterBackground").AsLong() != 0; });
    run.Step(84,
             [&] { AddElement(4, element, "BackgroundStyle", follows ? masterStyle : OwnBackgroundStyle(layout)); });
    AddElement(4, element, "FollowMasterBackground", BoolText(follows));
    run.Step(85, [&] {
      AddElement(4, element, "DisplayMasterShapes", BoolText(layout.Get("DisplayMasterShapes").AsLong() != 0));
    });
    run.Step(86, [&] { FillProperties(context, layout.Child("Background"), element, "Background", layout); });
    WriteShapes(layout, shapesElement, 87, false);
    WriteAnimationsAndLinks(layout, element);
    return !context.CheckAbort();
  }

  // A layout has no background style of its own to read: a slide made from
  // it, and deleted again, shows it.
  std::string OwnBackgroundStyle(const Object& layout) {
    Object slide;
    std::string style;
    run.Step(91, [&] {
      Object slides = presentation.Child("Slides");
      slide = slides.Child("AddSlide", slides.Count() + 1, layout.Ptr());
    });
    run.Step(92, [&] { style = std::to_string(slide.Get("BackgroundStyle").AsLong()); });
    run.Step(93, [&] { slide.Call("Delete"); });
    return style;
  }

  void Write(pugi::xml_node parent, const UsedLayouts& used) {
    run.Step(1, [&] { index = design.Get("Index").AsLong(); });
    Trace(std::string(kDesignLabel) + std::to_string(index) + " Enter  " + CurrentDateTimeText());
    run.Step(2, [&] { major = context.MajorVersion(); });
    run.Step(3, [&] { master = design.Child("SlideMaster"); });
    run.Step(4, [&] { name = design.Get("Name").AsString(); });

    pugi::xml_node element = AppendContainer(parent, "Design");
    pugi::xml_node colors = AppendContainer(element, "ColorScheme");
    pugi::xml_node fonts = AppendContainer(element, "FontTheme");
    if (major >= 10) {  // earlier versions have neither
      WriteColorScheme(colors);
      WriteFontTheme(fonts);
    }
    AddAttribute(2, element, "id", std::to_string(index));

    pugi::xml_node masterElement = AppendContainer(element, "SlideMaster");
    AppendLineBreak(masterElement);
    pugi::xml_node shapesElement = AppendContainer(masterElement, "Shapes");
    AddAttribute(2, masterElement, "name", name);
    run.Step(51, [&] { FillProperties(context, master.Child("Background"), masterElement, "Background", master); });
    // Kept for the layouts that follow the master's background.
    std::string masterStyle;
    if (major >= 12) {
      run.Step(52, [&] {
        masterStyle = std::to_string(master.Get("BackgroundStyle").AsLong());
        AddElement(4, masterElement, "BackgroundStyle", masterStyle);
      });
    } else {
      masterStyle = "0";
      AddElement(4, masterElement, "BackgroundStyle", masterStyle);
    }

    context.CountProgress();
    if (!WriteShapes(master, shapesElement, 53, true)) return;
    WriteAnimationsAndLinks(master, masterElement);

    if (major == 10 || major == 11) {
      if (!WriteLegacyLayouts(masterElement, used)) return;
    } else if (major >= 12) {
      Object layouts;
      std::int32_t count = 0;
      run.Step(80, [&] {
        layouts = master.Child("CustomLayouts");
        count = layouts.Count();
      });
      for (std::int32_t i = 1; i <= count; ++i) {
        context.CountProgress();
        Trace("DesignProperties: Layouts " + std::to_string(i) + " - " + CurrentDateTimeText());
        if (!WriteCustomLayout(masterElement, layouts, i, masterStyle)) return;
      }
    }
    Trace(std::string(kDesignLabel) + "Exit - " + CurrentDateTimeText());
  }
};

}  // namespace

void UsedLayouts::Add(std::int32_t designIndex, std::int32_t layout) {
  std::string entry = std::to_string(designIndex) + "-" + std::to_string(layout);
  if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end()) entries_.push_back(std::move(entry));
}

void DesignProperties(ExportContext& context, const Object& design, pugi::xml_node parent, const Object& presentation,
                      const UsedLayouts& usedLayouts) {
  DesignWriter(context, design, presentation).Write(parent, usedLayouts);
}

}  // namespace quillmere
