#include "engine/objects/media/ActionSettingObjects.h"

#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/slides/TransitionObjects.h"
#include "engine/objects/text/TextFrame2Objects.h"

namespace quillmere::engine {
namespace {

std::shared_ptr<ActionSettingsObject> SettingsOf(const std::shared_ptr<EngineSession>& session, PresentationDocument& doc,
                                                 const std::string& part, const std::array<pugi::xml_node, 2>& links,
                                                 int type, std::shared_ptr<Dispatch> owner) {
  return std::make_shared<ActionSettingsObject>(session, doc, part, links, type, std::move(owner));
}

Value CollectionOrItem(const std::shared_ptr<ActionSettingsObject>& settings, Args args) {
  if (ArgAt(args, 0).IsEmpty()) return Value(settings);
  return Value(settings->At(ArgAt(args, 0)));
}

// The object a link sits on: its shape, or the stretch of text it covers
// (classic TextRange, as Hyperlink.Parent.Parent hands it out).
std::shared_ptr<Dispatch> OwnerOf(HyperlinksObject& h, const ActionLinkSite& site) {
  auto shape = std::make_shared<ShapeObject>(h.Session(), h.doc, h.part, site.cell ? site.cell : site.treeChild, h.parent);
  if (site.runs.empty()) return shape;
  return std::make_shared<TextRange2Object>(h.Session(), std::move(shape),
                                            std::vector<pugi::xml_node>{site.runs.front().parent()}, site.runs,
                                            TextRange2Object::Span::Line, TextRange2Object::Counts::Itself,
                                            TextFlavour::Classic);
}

}  // namespace

ActionSettingsObject::ActionSettingsObject(std::shared_ptr<EngineSession> s, PresentationDocument& doc,
                                           const std::string& part, const std::array<pugi::xml_node, 2>& links,
                                           int type, std::shared_ptr<Dispatch> owner)
    : EngineObject(std::move(s)), parent(std::move(owner)) {
  for (std::size_t i = 0; i < links.size(); ++i)
    settings[i] = std::make_shared<ActionSettingObject>(session_, ReadActionLink(doc, part, links[i]), type, parent);
}

std::shared_ptr<ActionSettingObject> ActionSettingsObject::At(const Value& index) const {
  return settings[static_cast<std::size_t>(CollectionIndex(index, static_cast<int>(settings.size()), "ActionSettings") - 1)];
}

const MemberTable<ActionSettingsObject>& ActionSettingsObject::Members() {
  static const auto item = [](ActionSettingsObject& o, Args a) { return Value(o.At(ArgAt(a, 0))); };
  static const MemberTable<ActionSettingsObject> table{
      {.name = "Count", .get = [](ActionSettingsObject& o, Args) { return Value(static_cast<int>(o.settings.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
      {.name = "Parent", .get = [](ActionSettingsObject& o, Args) { return Value(o.parent); }},
  };
  return table;
}

const MemberTable<ActionSettingObject>& ActionSettingObject::Members() {
  static const MemberTable<ActionSettingObject> table{
      {.name = "Action", .get = [](ActionSettingObject& o, Args) { return Value(o.link.action); }},
      {.name = "Hyperlink",
       .get =
           [](ActionSettingObject& o, Args) {
             return Value(std::make_shared<HyperlinkObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Run", .get = [](ActionSettingObject& o, Args) { return Value(o.link.run); }},
      {.name = "SlideShowName",
       .get =
           [](ActionSettingObject& o, Args) {
             if (!o.link.slideShowFailure.empty())
               throw ComError(hr::kUnspecified, "ActionSetting.SlideShowName : " + o.link.slideShowFailure);
             return Value(o.link.slideShowName);
           }},
      {.name = "ShowandReturn", .get = [](ActionSettingObject& o, Args) { return MsoBool(o.link.showAndReturn); }},
      {.name = "AnimateAction", .get = [](ActionSettingObject& o, Args) { return MsoBool(o.link.highlightClick); }},
      {.name = "SoundEffect",
       .get =
           [](ActionSettingObject& o, Args) {
             return Value(std::make_shared<SoundEffectObject>(o.Session(), o.link.soundType, o.link.soundName));
           }},
      {.name = "Parent", .get = [](ActionSettingObject& o, Args) { return Value(o.parent); }},
  };
  return table;
}

const MemberTable<HyperlinkObject>& HyperlinkObject::Members() {
  static const MemberTable<HyperlinkObject> table{
      {.name = "Address", .get = [](HyperlinkObject& o, Args) { return Value(o.setting->link.address); }},
      {.name = "SubAddress", .get = [](HyperlinkObject& o, Args) { return Value(o.setting->link.subAddress); }},
      {.name = "ScreenTip", .get = [](HyperlinkObject& o, Args) { return Value(o.setting->link.screenTip); }},
      {.name = "EmailSubject", .get = [](HyperlinkObject& o, Args) { return Value(o.setting->link.emailSubject); }},
      {.name = "Type", .get = [](HyperlinkObject& o, Args) { return Value(o.setting->hyperlinkType); }},
      {.name = "Parent", .get = [](HyperlinkObject& o, Args) { return Value(o.setting); }},
  };
  return table;
}

std::shared_ptr<HyperlinkObject> HyperlinksObject::At(const Value& index) {
  const std::vector<ActionLinkSite>& sites = doc->ActionLinksOf(part);
  const ActionLinkSite& site = sites[static_cast<std::size_t>(CollectionIndex(index, static_cast<int>(sites.size()), "Hyperlinks") - 1)];
  std::array<pugi::xml_node, 2> links{};
  links[static_cast<std::size_t>(site.activation - 1)] = site.link;
  auto settings = SettingsOf(session_, *doc, part, links, site.runs.empty() ? kHyperlinkShape : kHyperlinkRange,
                             OwnerOf(*this, site));
  return std::make_shared<HyperlinkObject>(session_, settings->settings[static_cast<std::size_t>(site.activation - 1)]);
}

const MemberTable<HyperlinksObject>& HyperlinksObject::Members() {
  static const auto item = [](HyperlinksObject& o, Args a) { return Value(o.At(ArgAt(a, 0))); };
  static const MemberTable<HyperlinksObject> table{
      {.name = "Count",
       .get = [](HyperlinksObject& o, Args) { return Value(static_cast<int>(o.doc->ActionLinksOf(o.part).size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
      {.name = "Parent", .get = [](HyperlinksObject& o, Args) { return Value(o.parent); }},
  };
  return table;
}

Value ActionSettingsOf(ShapeObject& shape, Args args) {
  std::array<pugi::xml_node, 2> links{ShapeLinkOf(shape.element, kMouseClick), ShapeLinkOf(shape.element, kMouseOver)};
  return CollectionOrItem(
      SettingsOf(shape.Session(), *shape.doc, shape.part, links, kHyperlinkShape, shape.shared_from_this()), args);
}

// A range of several runs acts as its first run does.
Value ActionSettingsOf(TextRange2Object& range, Args args) {
  pugi::xml_node run = range.runs.empty() ? pugi::xml_node() : range.runs.front();
  std::array<pugi::xml_node, 2> links{RunLinkOf(run, kMouseClick), RunLinkOf(run, kMouseOver)};
  ShapeObject& shape = *range.shape;
  return CollectionOrItem(
      SettingsOf(range.Session(), *shape.doc, shape.part, links, kHyperlinkRange, range.shared_from_this()), args);
}

Value HyperlinksOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                   const std::string& part, std::shared_ptr<Dispatch> owner, Args args) {
  auto links = std::make_shared<HyperlinksObject>(session, doc, part, std::move(owner));
  if (ArgAt(args, 0).IsEmpty()) return Value(links);
  return Value(links->At(ArgAt(args, 0)));
}

}  // namespace quillmere::engine
