#include "engine/objects/document/PageMembers.h"

#include "engine/model/document/XmlNames.h"
#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/shapes/ShapeRangeObjects.h"
#include "engine/objects/slides/ThemeColorObjects.h"

namespace quillmere::engine {

std::string PartDisplayName(PresentationDocument& doc, const std::string& part) {
  return ChildNamed(doc.PartRoot(part), "cSld").attribute("name").value();
}

bool HasOwnBackground(PresentationDocument& doc, const std::string& part) {
  return static_cast<bool>(ChildNamed(ChildNamed(doc.PartRoot(part), "cSld"), "bg"));
}

bool ShowsMasterShapes(PresentationDocument& doc, const std::string& part) {
  return doc.PartRoot(part).attribute("showMasterSp").as_bool(true);
}

void SetShowsMasterShapes(PresentationDocument& doc, const std::string& part, bool show) {
  pugi::xml_node root = doc.PartRoot(part);
  if (!root) throw ComError(hr::kUnspecified, "DisplayMasterShapes : Object does not exist.");
  if (show) {
    root.remove_attribute("showMasterSp");  // the default
  } else {
    if (!root.attribute("showMasterSp")) root.append_attribute("showMasterSp");
    root.attribute("showMasterSp").set_value("0");
  }
  doc.Pkg().MarkModified(part);
}

Value ThemeColorSchemeOf(const std::shared_ptr<EngineSession>& session,
                         const std::shared_ptr<PresentationDocument>& doc, const std::string& part, Args args) {
  auto scheme = std::make_shared<ThemeColorSchemeObject>(session, ThemeColorOwner{doc, part});
  return ArgAt(args, 0).IsEmpty() ? Value(scheme) : ThemeColorAt(*scheme, ArgAt(args, 0));
}

Value BackgroundOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                   const std::string& part, std::shared_ptr<Dispatch> owner) {
  auto background = std::make_shared<ShapeObject>(session, doc, part, doc->BackgroundOf(part), std::move(owner));
  return Value(std::make_shared<ShapeRangeObject>(session, std::vector{background}));
}

}  // namespace quillmere::engine
