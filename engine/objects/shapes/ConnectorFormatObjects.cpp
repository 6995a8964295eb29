#include "engine/objects/shapes/ConnectorFormatObjects.h"

#include <cstdint>
#include <limits>
#include <string>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

pugi::xml_node Connection(const ConnectorFormatObject& o, std::string_view end) {
  return ChildNamed(ChildNamed(ChildNamed(o.connector->element, "nvCxnSpPr"), "cNvCxnSpPr"), end);
}

pugi::xml_node ConnectedOrFail(const ConnectorFormatObject& o, std::string_view end, std::string_view member) {
  pugi::xml_node c = Connection(o, end);
  if (!c)
    throw ComError(hr::kInvalidArgument,
                   "ConnectorFormat." + std::string(member) + " : This end of the connector is not connected.");
  return c;
}

// The tree child of the part whose shape has that id, groups searched too.
pugi::xml_node TreeChildWithId(const pugi::xml_node& tree, unsigned id) {
  for (pugi::xml_node c = tree.first_child(); c; c = c.next_sibling()) {
    if (!IsShapeElement(c)) continue;
    pugi::xml_node shape = ResolvedShape(c);
    if (DrawingPropertiesOf(shape).attribute("id").as_uint() == id) return c;
    if (LocalName(shape) == "grpSp")
      if (pugi::xml_node inner = TreeChildWithId(shape, id)) return inner;
  }
  return {};
}

Value ConnectedShape(ConnectorFormatObject& o, std::string_view end, std::string_view member) {
  unsigned id = ConnectedOrFail(o, end, member).attribute("id").as_uint();
  pugi::xml_node target = TreeChildWithId(ShapeTreeOf(o.connector->doc->PartRoot(o.connector->part)), id);
  if (!target) throw ComError(hr::kUnspecified, "ConnectorFormat." + std::string(member) + " : Object does not exist.");
  return Value(o.connector->Sibling(target));
}

Value ConnectionSite(ConnectorFormatObject& o, std::string_view end, std::string_view member) {
  // PowerPoint numbers the sites from 1, the file from 0. Some writers store
  // -1 as an unsigned number for "no site", which no shape has.
  std::int64_t site = ConnectedOrFail(o, end, member).attribute("idx").as_llong() + 1;
  if (site < 1 || site > std::numeric_limits<std::int32_t>::max())
    throw ComError(hr::kInvalidArgument,
                   "ConnectorFormat." + std::string(member) + " : The connection site is not valid.");
  return Value(static_cast<std::int32_t>(site));
}

}  // namespace

const MemberTable<ConnectorFormatObject>& ConnectorFormatObject::Members() {
  static const MemberTable<ConnectorFormatObject> table{
      {.name = "Type",
       .get =
           [](ConnectorFormatObject& o, Args) {
             std::string_view preset = PresetGeometryOf(o.connector->element);
             if (preset.starts_with("bentConnector")) return Value(kConnectorElbow);
             if (preset.starts_with("curvedConnector")) return Value(kConnectorCurve);
             return Value(kConnectorStraight);
           }},
      {.name = "Parent", .get = [](ConnectorFormatObject& o, Args) { return Value(o.connector); }},
      {.name = "BeginConnected",
       .get = [](ConnectorFormatObject& o, Args) { return MsoBool(static_cast<bool>(Connection(o, "stCxn"))); }},
      {.name = "EndConnected",
       .get = [](ConnectorFormatObject& o, Args) { return MsoBool(static_cast<bool>(Connection(o, "endCxn"))); }},
      {.name = "BeginConnectedShape",
       .get = [](ConnectorFormatObject& o, Args) { return ConnectedShape(o, "stCxn", "BeginConnectedShape"); }},
      {.name = "EndConnectedShape",
       .get = [](ConnectorFormatObject& o, Args) { return ConnectedShape(o, "endCxn", "EndConnectedShape"); }},
      {.name = "BeginConnectionSite",
       .get = [](ConnectorFormatObject& o, Args) { return ConnectionSite(o, "stCxn", "BeginConnectionSite"); }},
      {.name = "EndConnectionSite",
       .get = [](ConnectorFormatObject& o, Args) { return ConnectionSite(o, "endCxn", "EndConnectionSite"); }},
  };
  return table;
}

}  // namespace quillmere::engine
