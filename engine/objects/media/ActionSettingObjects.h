#pragma once
// What a mouse click or hover on a shape or text does: ActionSettings with
// its two ActionSetting items (ppMouseClick, ppMouseOver), each with its
// Hyperlink and sound; and the Hyperlinks of a slide, master or layout, from
// which the shape or text owning each one is reached (Hyperlink.Parent.Parent).

#include <array>
#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/media/ActionLinks.h"

namespace quillmere::engine {

class ShapeObject;
class TextRange2Object;

// MsoHyperlinkType: where a hyperlink sits.
inline constexpr int kHyperlinkRange = 0;
inline constexpr int kHyperlinkShape = 1;

class ActionSettingObject final : public EngineObject<ActionSettingObject> {
 public:
  static constexpr std::string_view kTypeName = "ActionSetting";
  static const MemberTable<ActionSettingObject>& Members();
  // owner: the Shape or TextRange; the link is read when the setting is made,
  // so that it answers whatever becomes of the elements.
  ActionSettingObject(std::shared_ptr<EngineSession> s, ActionLink l, int type, std::shared_ptr<Dispatch> owner)
      : EngineObject(std::move(s)), link(std::move(l)), hyperlinkType(type), parent(std::move(owner)) {}
  ActionLink link;
  int hyperlinkType;  // MsoHyperlinkType
  std::shared_ptr<Dispatch> parent;
};

// Every ActionSetting has a Hyperlink, with empty fields where it is no hyperlink.
class HyperlinkObject final : public EngineObject<HyperlinkObject> {
 public:
  static constexpr std::string_view kTypeName = "Hyperlink";
  static const MemberTable<HyperlinkObject>& Members();
  HyperlinkObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ActionSettingObject> a)
      : EngineObject(std::move(s)), setting(std::move(a)) {}
  std::shared_ptr<ActionSettingObject> setting;
};

class ActionSettingsObject final : public EngineObject<ActionSettingsObject> {
 public:
  static constexpr std::string_view kTypeName = "ActionSettings";
  static const MemberTable<ActionSettingsObject>& Members();
  // links: the click link and the hover link (empty nodes where there is none).
  ActionSettingsObject(std::shared_ptr<EngineSession> s, PresentationDocument& doc, const std::string& part,
                       const std::array<pugi::xml_node, 2>& links, int type, std::shared_ptr<Dispatch> owner);
  // The setting of a PpMouseActivation; fails like PowerPoint for another index.
  std::shared_ptr<ActionSettingObject> At(const Value& index) const;
  std::array<std::shared_ptr<ActionSettingObject>, 2> settings;
  std::shared_ptr<Dispatch> parent;
};

class HyperlinksObject final : public EngineObject<HyperlinksObject> {
 public:
  static constexpr std::string_view kTypeName = "Hyperlinks";
  static const MemberTable<HyperlinksObject>& Members();
  // owner: the slide, master or custom layout whose part holds the links.
  HyperlinksObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
                   std::shared_ptr<Dispatch> owner)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), parent(std::move(owner)) {}
  std::shared_ptr<HyperlinkObject> At(const Value& index);
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::shared_ptr<Dispatch> parent;
};

// Shape.ActionSettings and TextRange.ActionSettings: the collection, or with
// an index (ActionSettings(ppMouseClick)) its item.
Value ActionSettingsOf(ShapeObject& shape, Args args);
Value ActionSettingsOf(TextRange2Object& range, Args args);
// Slide, Master and CustomLayout Hyperlinks: the collection, or with an index its item.
Value HyperlinksOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                   const std::string& part, std::shared_ptr<Dispatch> owner, Args args);

}  // namespace quillmere::engine
