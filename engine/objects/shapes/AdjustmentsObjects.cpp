#include "engine/objects/shapes/AdjustmentsObjects.h"

#include <cmath>
#include <string>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/shapes/PresetAdjustments.h"
#include "engine/model/shapes/ShapeKind.h"

namespace quillmere::engine {
namespace {

constexpr double kProportionUnit = 100000.0;
constexpr long long kFullTurn = 21600000;

const std::vector<PresetAdjustment>& AdjustmentsOf(const AdjustmentsObject& o) {
  return PresetAdjustments(PresetGeometryOf(o.shape->element));
}

const PresetAdjustment& At(const AdjustmentsObject& o, const Value& index) {
  const auto& list = AdjustmentsOf(o);
  return list[CollectionIndex(index, static_cast<int>(list.size()), "Adjustments") - 1];
}

pugi::xml_node AvList(const AdjustmentsObject& o) {
  return ChildNamed(ChildNamed(ChildNamed(o.shape->element, "spPr"), "prstGeom"), "avLst");
}

pugi::xml_node Guide(const pugi::xml_node& avLst, std::string_view name) {
  for (pugi::xml_node gd = avLst.first_child(); gd; gd = gd.next_sibling())
    if (LocalName(gd) == "gd" && gd.attribute("name").value() == name) return gd;
  return {};
}

// "val 16200000" → 16200000; the formula of an adjust value is a constant.
std::optional<long long> GuideValue(const pugi::xml_node& gd) {
  std::string_view fmla = gd.attribute("fmla").value();
  if (!fmla.starts_with("val ")) return std::nullopt;
  return std::strtoll(std::string(fmla.substr(4)).c_str(), nullptr, 10);
}

float Shown(const PresetAdjustment& a, long long raw) {
  if (!a.angle) return static_cast<float>(raw / kProportionUnit);
  double degrees = std::fmod(raw / kAngleUnit, 360.0);
  if (degrees > 180.0) degrees -= 360.0;
  if (degrees <= -180.0) degrees += 360.0;
  return static_cast<float>(degrees);
}

long long Stored(const PresetAdjustment& a, double shown) {
  if (!a.angle) return std::llround(shown * kProportionUnit);
  long long raw = std::llround(shown * kAngleUnit) % kFullTurn;
  return raw < 0 ? raw + kFullTurn : raw;
}

}  // namespace

const MemberTable<AdjustmentsObject>& AdjustmentsObject::Members() {
  static const MemberTable<AdjustmentsObject> table{
      {.name = "Count",
       .get = [](AdjustmentsObject& o, Args) { return Value(static_cast<int>(AdjustmentsOf(o).size())); }},
      {.name = "Parent", .get = [](AdjustmentsObject& o, Args) { return Value(o.shape); }},
      {.name = "Item",
       .get =
           [](AdjustmentsObject& o, Args a) {
             const PresetAdjustment& adj = At(o, ArgAt(a, 0));
             return Value(Shown(adj, GuideValue(Guide(AvList(o), adj.name)).value_or(adj.defaultValue)));
           },
       .put =
           [](AdjustmentsObject& o, Args a, const Value& v) {
             const PresetAdjustment& adj = At(o, ArgAt(a, 0));
             pugi::xml_node prstGeom = ChildNamed(ChildNamed(o.shape->element, "spPr"), "prstGeom");
             pugi::xml_node avLst = AvList(o);
             if (!avLst) avLst = prstGeom.append_child(DrawingName(prstGeom, "avLst").c_str());
             pugi::xml_node gd = Guide(avLst, adj.name);
             if (!gd) {
               gd = avLst.append_child(DrawingName(avLst, "gd").c_str());
               gd.append_attribute("name") = std::string(adj.name).c_str();
               gd.append_attribute("fmla");
             }
             gd.attribute("fmla").set_value(("val " + std::to_string(Stored(adj, v.AsDouble()))).c_str());
             o.shape->doc->ShapesChanged(o.shape->part, NamesStay);
           }},
  };
  return table;
}

}  // namespace quillmere::engine
