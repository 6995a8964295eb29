#include "slides/HyperlinkProperties.h"

#include <array>
#include <charconv>
#include <set>
#include <string>

#include "objectmodel/ExportContext.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

const std::string kHyperlinkLocation = " in Quillmere.bXML.HyperlinkProperties at line ";
constexpr int kHyperlinkPropertiesIndent = 8;
constexpr int kActionIndent = 16;

// PpActionType

struct MouseActivation {
  std::int32_t index;     // PpMouseActivation
  const char* keyWord;    // in the key that writes each action once
  const char* type;       // the Type element
};
constexpr std::array<MouseActivation, 2> kActivations{{{1, "mouseclick", "mouseClick"}, {2, "mouseover", "mouseOver"}}};

struct PlayerButton {
  const char* tag;
  const char* type;
  const char* action;
};
constexpr std::array<PlayerButton, 2> kPlayerButtons{{{"CORVANTA_PREV_BUTTON_ID", "branchPrev", "PrevButton"},
                                                      {"CORVANTA_NEXT_BUTTON_ID", "branchNext", "NextButton"}}};

// A link to a file beside the presentation, given by a bare name, becomes its
// full path; drive and network paths, addresses of one character and names of
// no such file are left as PowerPoint gives them.
std::string LinkAddress(ExportContext& context, const std::string& address) {
  std::string trimmed = TrimSpaces(address);
  if (trimmed.size() < 2) return {};
  if (trimmed[1] == ':' || trimmed[1] == '\\') return address;
  std::string beside = GetParentFolder(context.presentationName) + address;
  return FileExistsByFind(beside) ? beside : address;
}

std::string ActionText(std::int32_t action) {
  switch (action) {
    case action::kPreviousSlide: return "PreviousSlide";
    case action::kNextSlide: return "NextSlide";
    case action::kLastSlide: return "LastSlide";
    case action::kHyperlink: return "Hyperlink";
    case action::kFirstSlide: return "FirstSlide";
    case action::kEndShow: return "EndShow";
    case action::kRunProgram: return "RunProgram";
    default: return "None";  // mixed, last viewed, macro, named show, object verb, play
  }
}

// A tag's whole-number value; anything else is not a slide id.
std::int32_t SlideIdOfTag(const std::string& text) {
  std::string trimmed = TrimSpaces(text);
  std::int32_t id = 0;
  auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), id);
  if (error != std::errc() || end != trimmed.data() + trimmed.size())
    throw ComError(hr::kTypeMismatch, "Type mismatch");
  return id;
}

void WritePlayerButtons(const Object& slide, pugi::xml_node settings, StepRunner& run) {
  for (const PlayerButton& button : kPlayerButtons) {
    std::string tag = GetTag(slide, button.tag);
    if (TrimSpaces(tag).empty()) continue;
    run.Step(20, [&] {
      Object target = slide.Child("Parent").Child("Slides").Child("FindBySlideID", SlideIdOfTag(tag));
      if (!target) return;
      std::string subAddress = std::to_string(target.Get("SlideID").AsLong()) + "," +
                               std::to_string(target.Get("SlideIndex").AsLong()) + ", ";
      pugi::xml_node element = AppendContainer(settings, "ActionSetting");
      AddElement(kHyperlinkPropertiesIndent, element, "Type", button.type);
      AddElement(kHyperlinkPropertiesIndent, element, "Container", "player");
      AddElement(kHyperlinkPropertiesIndent, element, "Action", button.action);
      AddElement(kHyperlinkPropertiesIndent, element, "Address", "");
      AddElement(kHyperlinkPropertiesIndent, element, "SubAddress", subAddress);
      AddElement(kHyperlinkPropertiesIndent, element, "ScreenTip", "");
    });
  }
}

}  // namespace

void GetActionSetting(ExportContext& context, const Object& object, std::int32_t index, pugi::xml_node element) {
  Object setting;
  std::int32_t action = action::kNone;  // unreadable: "None"
  LeavingOutOnFailure([&] {
    setting = object.Child("ActionSettings", index);
    action = setting.Get("Action").AsLong();
  });
  AddElement(kActionIndent, element, "Action", ActionText(action));
  if (action == action::kHyperlink) {
    Object link;
    LeavingOutOnFailure([&] { link = setting.Child("Hyperlink"); });
    LeavingOutOnFailure(
        [&] { AddElement(kActionIndent, element, "Address", LinkAddress(context, link.Get("Address").AsString())); });
    LeavingOutOnFailure([&] { AddElement(kActionIndent, element, "SubAddress", link.Get("SubAddress").AsString()); });
    LeavingOutOnFailure([&] { AddElement(kActionIndent, element, "ScreenTip", link.Get("ScreenTip").AsString()); });
  } else if (action == action::kRunProgram) {
    LeavingOutOnFailure([&] { AddElement(kActionIndent, element, "Program", setting.Get("Run").AsString()); });
  }
}

void HyperlinkProperties(ExportContext& context, const Object& owner, pugi::xml_node parent) {
  StepRunner run = WriterSteps(context, kHyperlinkLocation);
  pugi::xml_node settings = AppendContainer(parent, "ActionSettings");
  std::set<std::string> written;

  Object links;
  std::int32_t count = 0;
  run.Step(2, [&] {
    links = owner.Child("Hyperlinks");
    count = links.Count();
  });
  for (std::int32_t i = 1; i <= count; ++i) {
    Object holder;
    run.Step(3, [&] { holder = links.Item(i).Child("Parent").Child("Parent"); });
    if (!holder) continue;
    const bool text = holder.TypeName() == "TextRange";
    std::string shapeId, start, length;
    run.Step(4, [&] {
      shapeId = std::to_string((text ? holder.Child("Parent").Child("Parent") : holder).Get("Id").AsLong());
    });
    if (text) {
      run.Step(5, [&] { start = std::to_string(holder.Get("Start").AsLong()); });
      run.Step(6, [&] { length = std::to_string(holder.Get("Length").AsLong()); });
    }
    for (const MouseActivation& activation : kActivations) {
      std::int32_t action = action::kNone;
      run.Step(7, [&] { action = holder.Child("ActionSettings", activation.index).Get("Action").AsLong(); });
      if (action == action::kNone) continue;
      // A shape or range with both kinds of action is listed once for each.
      std::string key = "textrange," + start + "," + length + "," + activation.keyWord + "," + shapeId;
      if (!written.insert(key).second) continue;
      run.Step(8, [&] {
        pugi::xml_node element = AppendContainer(settings, "ActionSetting");
        AddElement(kHyperlinkPropertiesIndent, element, "Type", activation.type);
        AddElement(kHyperlinkPropertiesIndent, element, "ShapeID", shapeId);
        AddElement(kHyperlinkPropertiesIndent, element, "Container", text ? "textrange" : "shape");
        if (text) {
          AddElement(kHyperlinkPropertiesIndent, element, "Start", start);
          AddElement(kHyperlinkPropertiesIndent, element, "Length", length);
        }
        GetActionSetting(context, holder, activation.index, element);
      });
    }
  }
  if (owner.TypeName() == "Slide") WritePlayerButtons(owner, settings, run);
}

}  // namespace quillmere
