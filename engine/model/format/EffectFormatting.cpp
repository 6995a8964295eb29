#include "engine/model/format/EffectFormatting.h"

#include <algorithm>
#include <array>
#include <optional>

#include "engine/model/document/SchemaOrder.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// The order the schema gives the children of an effect list.
constexpr std::array<std::string_view, 8> kEffectOrder{"blur",      "fillOverlay", "glow",       "innerShdw",
                                                      "outerShdw", "prstShdw",    "reflection", "softEdge"};
constexpr std::string_view k3DKey = "3d";
constexpr std::array<std::string_view, 2> k3DElements{"scene3d", "sp3d"};

pugi::xml_node EffectListIn(const pugi::xml_node& holder) {
  if (pugi::xml_node list = ChildNamed(holder, "effectLst")) return list;
  return ChildNamed(holder, "effectDag");
}

// The named element of one level: its own properties, else its style's effect
// entry; nothing when the level leaves it to the next.
std::optional<pugi::xml_node> ElementOfLevel(PresentationDocument& doc, const std::string& part,
                                             const pugi::xml_node& shape, std::string_view name) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (pugi::xml_node own = name == "effectLst" ? EffectListIn(props) : ChildNamed(props, name)) return own;
  if (!ChildNamed(ChildNamed(shape, "style"), "effectRef")) return std::nullopt;
  // A style decides the effects of a shape that sets none, even when it names no entry.
  pugi::xml_node entry = StyleMatrixEntry(doc, part, shape, "effectRef");
  return name == "effectLst" ? EffectListIn(entry) : ChildNamed(entry, name);
}

// The shape's own effect list, copied from the one in effect when it had none.
pugi::xml_node OwnEffectList(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (!props) return {};
  if (pugi::xml_node own = EffectListIn(props)) return own;
  pugi::xml_node inherited = EffectiveElement(doc, part, shape, "effectLst");
  pugi::xml_node own = InsertInOrder(props, "effectLst", kShapePropertyOrder);
  for (pugi::xml_node c = inherited.first_child(); c; c = c.next_sibling()) own.append_copy(c);
  return own;
}

bool Named(const pugi::xml_node& node, Names names) {
  return std::find(names.begin(), names.end(), LocalName(node)) != names.end();
}

bool NonZero(const pugi::xml_node& node, const char* attribute) { return node.attribute(attribute).as_llong() != 0; }

}  // namespace

pugi::xml_node EffectiveElement(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                std::string_view name) {
  return NearestDecision(doc, part, shape, [&](const std::string& p, const pugi::xml_node& s) {
           return ElementOfLevel(doc, p, s, name);
         }).value_or(pugi::xml_node());
}

pugi::xml_node EffectiveEffect(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                               Names names) {
  pugi::xml_node list = EffectiveElement(doc, part, shape, "effectLst");
  for (pugi::xml_node c = list.first_child(); c; c = c.next_sibling())
    if (Named(c, names)) return c;
  return {};
}

bool HideEffects(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape, Names names,
                 std::string_view key) {
  if (!EffectiveEffect(doc, part, shape, names)) return false;
  pugi::xml_node list = OwnEffectList(doc, part, shape);
  pugi::xml_node kept = doc.Stash().Keep(ShapePropertiesOf(shape), key);
  for (pugi::xml_node c = list.first_child(); c;) {
    pugi::xml_node next = c.next_sibling();
    if (Named(c, names)) {
      kept.append_copy(c);
      list.remove_child(c);
    }
    c = next;
  }
  return true;
}

bool RestoreEffects(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                    std::string_view key) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  pugi::xml_node kept = doc.Stash().Kept(props, key);
  if (!kept) return false;
  pugi::xml_node list = OwnEffectList(doc, part, shape);
  for (pugi::xml_node c = kept.first_child(); c; c = c.next_sibling()) {
    std::size_t rank = Rank(kEffectOrder, LocalName(c));
    pugi::xml_node before = list.first_child();
    while (before && Rank(kEffectOrder, LocalName(before)) <= rank) before = before.next_sibling();
    if (before) list.insert_copy_before(c, before);
    else list.append_copy(c);
  }
  doc.Stash().Forget(props, key);
  return true;
}

pugi::xml_node OwnEffect(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                         std::string_view name) {
  pugi::xml_node list = OwnEffectList(doc, part, shape);
  if (!list) return {};
  if (pugi::xml_node own = ChildNamed(list, name)) return own;
  return InsertInOrder(list, name, kEffectOrder);
}

bool Looks3D(const pugi::xml_node& scene3d, const pugi::xml_node& sp3d) {
  if (ChildNamed(sp3d, "bevelT") || ChildNamed(sp3d, "bevelB") || NonZero(sp3d, "extrusionH") ||
      NonZero(sp3d, "contourW"))
    return true;
  pugi::xml_node camera = ChildNamed(scene3d, "camera");
  if (!camera) return false;
  pugi::xml_node rot = ChildNamed(camera, "rot");
  if (NonZero(rot, "lat") || NonZero(rot, "lon") || NonZero(rot, "rev")) return true;
  std::string_view preset = camera.attribute("prst").value();
  return !preset.empty() && preset != "orthographicFront";
}

bool Has3D(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  return Looks3D(EffectiveElement(doc, part, shape, "scene3d"), EffectiveElement(doc, part, shape, "sp3d"));
}

void Hide3D(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (!props || !Has3D(doc, part, shape)) return;
  pugi::xml_node kept = doc.Stash().Keep(props, k3DKey);
  for (std::string_view name : k3DElements)
    if (pugi::xml_node own = ChildNamed(props, name)) {
      kept.append_copy(own);
      props.remove_child(own);
    }
  // Set explicitly, so that a 3-D look from the style or a placeholder is overridden too.
  pugi::xml_node scene = InsertInOrder(props, "scene3d", kShapePropertyOrder);
  scene.append_child(DrawingName(props, "camera").c_str()).append_attribute("prst") = "orthographicFront";
  pugi::xml_node rig = scene.append_child(DrawingName(props, "lightRig").c_str());
  rig.append_attribute("rig") = "threePt";
  rig.append_attribute("dir") = "t";
  InsertInOrder(props, "sp3d", kShapePropertyOrder);
}

bool Restore3D(PresentationDocument& doc, const pugi::xml_node& shape) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  pugi::xml_node kept = doc.Stash().Kept(props, k3DKey);
  if (!kept) return false;
  for (std::string_view name : k3DElements)
    if (pugi::xml_node flat = ChildNamed(props, name)) props.remove_child(flat);
  for (pugi::xml_node c = kept.first_child(); c; c = c.next_sibling()) {
    pugi::xml_node placed = InsertInOrder(props, LocalName(c), kShapePropertyOrder);
    props.insert_copy_before(c, placed);
    props.remove_child(placed);
  }
  doc.Stash().Forget(props, k3DKey);
  return true;
}

}  // namespace quillmere::engine
