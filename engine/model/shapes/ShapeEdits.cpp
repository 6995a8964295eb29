#include "engine/model/shapes/ShapeEdits.h"

#include <cmath>
#include <numbers>
#include <unordered_map>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// "Rectangle 3" → "Rectangle": PowerPoint numbers a new shape after its kind.
std::string_view NameStem(std::string_view name) {
  std::size_t end = name.find_last_not_of("0123456789");
  if (end == std::string_view::npos || end + 1 == name.size() || name[end] != ' ') return name;
  return name.substr(0, end);
}

void Shift(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape, double points) {
  Frame f = SlideFrame(doc, part, shape);
  f.left += points;
  f.top += points;
  SetSlideFrame(shape, f);
}

constexpr long long kFullTurn = 21600000;

void SetOrRemove(pugi::xml_node node, const char* name, long long value) {
  node.remove_attribute(name);
  if (value != 0) node.append_attribute(name) = value;
}

// A member leaving a turned or mirrored group takes the group's turn with it:
// its centre mirrored and turned about the group's centre, its own flips
// toggled and its angle mirrored and added to, so that it stays where it was seen.
Frame TurnedWithGroup(pugi::xml_node memberXfrm, Frame f, const pugi::xml_node& groupXfrm, const Frame& group) {
  bool flipH = groupXfrm.attribute("flipH").as_bool(), flipV = groupXfrm.attribute("flipV").as_bool();
  long long groupRot = groupXfrm.attribute("rot").as_llong();
  if (!flipH && !flipV && groupRot == 0) return f;
  double gx = group.left + group.width / 2, gy = group.top + group.height / 2;
  double dx = f.left + f.width / 2 - gx, dy = f.top + f.height / 2 - gy;
  if (flipH) dx = -dx;
  if (flipV) dy = -dy;
  double turn = groupRot / kAngleUnit * std::numbers::pi / 180.0;
  double cx = gx + dx * std::cos(turn) - dy * std::sin(turn), cy = gy + dx * std::sin(turn) + dy * std::cos(turn);
  long long rot = memberXfrm.attribute("rot").as_llong();
  if (flipH != flipV) rot = -rot;
  rot = ((rot + groupRot) % kFullTurn + kFullTurn) % kFullTurn;
  SetOrRemove(memberXfrm, "rot", rot);
  for (auto [flipped, name] : {std::pair{flipH, "flipH"}, std::pair{flipV, "flipV"}})
    if (flipped) SetOrRemove(memberXfrm, name, memberXfrm.attribute(name).as_bool() ? 0 : 1);
  return {cx - f.width / 2, cy - f.height / 2, f.width, f.height};
}

std::string NewShapeXml(const pugi::xml_node& tree, unsigned id, std::string_view preset, const Frame& emu) {
  std::string p = NameLike(tree, ""), a = DrawingName(tree, "");
  auto n = [](double v) { return std::to_string(static_cast<long long>(v)); };
  std::string name = std::string(preset == "rect" ? "Rectangle" : "AutoShape") + " " + std::to_string(id - 1);
  return "<" + p + "sp><" + p + "nvSpPr><" + p + "cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name + "\"/><" +
         p + "cNvSpPr/><" + p + "nvPr/></" + p + "nvSpPr><" + p + "spPr><" + a + "xfrm><" + a + "off x=\"" +
         n(emu.left) + "\" y=\"" + n(emu.top) + "\"/><" + a + "ext cx=\"" + n(emu.width) + "\" cy=\"" + n(emu.height) +
         "\"/></" + a + "xfrm><" + a + "prstGeom prst=\"" + std::string(preset) + "\"><" + a + "avLst/></" + a +
         "prstGeom></" + p + "spPr><" + p + "style><" + a + "lnRef idx=\"2\"><" + a + "schemeClr val=\"accent1\"><" +
         a + "shade val=\"50000\"/></" + a + "schemeClr></" + a + "lnRef><" + a + "fillRef idx=\"1\"><" + a +
         "schemeClr val=\"accent1\"/></" + a + "fillRef><" + a + "effectRef idx=\"0\"><" + a +
         "schemeClr val=\"accent1\"/></" + a + "effectRef><" + a + "fontRef idx=\"minor\"><" + a +
         "schemeClr val=\"lt1\"/></" + a + "fontRef></" + p + "style><" + p + "txBody><" + a +
         "bodyPr rtlCol=\"0\" anchor=\"ctr\"/><" + a + "lstStyle/><" + a + "p><" + a + "pPr algn=\"ctr\"/><" + a +
         "endParaRPr lang=\"en-US\"/></" + a + "p></" + p + "txBody></" + p + "sp>";
}

// The shape's ids (its members' too) in document order, each with its place
// among the fresh ones: branches of one mc:AlternateContent are one shape and keep one id.
std::unordered_map<unsigned, unsigned> FreshIdPlaces(const pugi::xml_node& shape) {
  std::unordered_map<unsigned, unsigned> places;
  ForEachDrawingProperties(shape, [&](const pugi::xml_node& c) {
    places.try_emplace(c.attribute("id").as_uint(), static_cast<unsigned>(places.size()));
  });
  return places;
}

void NumberFrom(const pugi::xml_node& copy, unsigned firstId) {
  const std::unordered_map<unsigned, unsigned> places = FreshIdPlaces(copy);
  ForEachDrawingProperties(copy, [&](const pugi::xml_node& c) {
    c.attribute("id").set_value(firstId + places.at(c.attribute("id").as_uint()));
  });
}

}  // namespace

unsigned GiveFreshShapeIds(PresentationDocument& doc, const std::string& part, const pugi::xml_node& copy) {
  const unsigned id = TakeCopyIds(doc, part, copy);
  NumberFrom(copy, id);
  return id;
}

unsigned TakeCopyIds(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  return doc.TakeShapeIds(part, static_cast<unsigned>(FreshIdPlaces(shape).size()));
}

pugi::xml_node DuplicateShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild,
                              unsigned firstId) {
  // The copy goes on top, at the end of the collection, as PowerPoint places it.
  pugi::xml_node parent = treeChild.parent(), extensions = ChildNamed(parent, "extLst");
  pugi::xml_node copy = extensions ? parent.insert_copy_before(treeChild, extensions) : parent.append_copy(treeChild);
  NumberFrom(copy, firstId);
  std::vector<pugi::xml_node> variants = ShapeVariants(copy);
  std::string name;
  if (!variants.empty()) {
    pugi::xml_node props = DrawingPropertiesOf(variants.front());
    name = std::string(NameStem(props.attribute("name").value())) + " " + std::to_string(firstId - 1);
  }
  for (const pugi::xml_node& shape : variants) {
    DrawingPropertiesOf(shape).attribute("name").set_value(name.c_str());
    Shift(doc, part, shape, kDuplicateOffset);
  }
  doc.ShapesChanged(part, [&](ShapeNames& names) { names.Add(copy); });
  return copy;
}

void DeleteShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild) {
  doc.Stash().ForgetWithin(treeChild);
  doc.ShapesChanged(part, [&](ShapeNames& names) { names.Remove(treeChild); });
  treeChild.parent().remove_child(treeChild);
}

pugi::xml_node AddPresetShape(PresentationDocument& doc, const std::string& part, std::string_view preset,
                              const Frame& points) {
  pugi::xml_node root = doc.PartRoot(part);
  pugi::xml_node tree = ShapeTreeOf(root);
  Frame emu{points.left * kEmuPerPoint, points.top * kEmuPerPoint, points.width * kEmuPerPoint,
            points.height * kEmuPerPoint};
  pugi::xml_document fragment;
  fragment.load_string(NewShapeXml(tree, doc.TakeShapeIds(part, 1), preset, emu).c_str());
  // The tree's extension list stays its last child.
  pugi::xml_node extLst = ChildNamed(tree, "extLst");
  pugi::xml_node shape =
      extLst ? tree.insert_copy_before(fragment.first_child(), extLst) : tree.append_copy(fragment.first_child());
  doc.ShapesChanged(part, [&](ShapeNames& names) { names.Add(shape); });
  return shape;
}

void ReorderShape(PresentationDocument& doc, const std::string& part, const pugi::xml_node& treeChild,
                  ZOrderMove move) {
  pugi::xml_node parent = treeChild.parent();
  auto shapeFrom = [](pugi::xml_node n, bool forward) {
    while (n && !IsShapeElement(n)) n = forward ? n.next_sibling() : n.previous_sibling();
    return n;
  };
  pugi::xml_node before = shapeFrom(treeChild.previous_sibling(), false);
  pugi::xml_node after = shapeFrom(treeChild.next_sibling(), true);
  switch (move) {
    case ZOrderMove::SendToBack:
      if (before) parent.insert_move_before(treeChild, shapeFrom(parent.first_child(), true));
      break;
    case ZOrderMove::BringToFront:
      if (after) parent.insert_move_after(treeChild, shapeFrom(parent.last_child(), false));
      break;
    case ZOrderMove::SendBackward:
      if (before) parent.insert_move_before(treeChild, before);
      break;
    case ZOrderMove::BringForward:
      if (after) parent.insert_move_after(treeChild, after);
      break;
  }
  doc.ShapesChanged(part, NamesStay);  // a lookup by name finds a shape wherever it is
}

std::vector<pugi::xml_node> UngroupShape(PresentationDocument& doc, const std::string& part,
                                         const pugi::xml_node& group) {
  std::vector<pugi::xml_node> members = ShapesIn(group);
  pugi::xml_node groupXfrm = TransformOf(group);
  Frame groupFrame = OwnFrame(doc, part, group).value_or(Frame{});
  for (const pugi::xml_node& member : members) {
    for (const pugi::xml_node& shape : ShapeVariants(member)) {
      pugi::xml_node xfrm = TransformOf(shape);
      auto own = OwnFrame(doc, part, shape);
      if (own && xfrm) WriteFrame(xfrm, TurnedWithGroup(xfrm, FromGroupChildSpace(group, *own), groupXfrm, groupFrame));
    }
    group.parent().insert_move_before(member, group);
  }
  group.parent().remove_child(group);
  doc.ShapesChanged(part);
  return members;
}

}  // namespace quillmere::engine
