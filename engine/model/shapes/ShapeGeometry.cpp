#include "engine/model/shapes/ShapeGeometry.h"

#include <cmath>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// Frames keep their p:xfrm on the shape itself, not in shape properties.
bool IsFrame(const pugi::xml_node& shape) {
  std::string_view kind = LocalName(shape);
  return kind == "graphicFrame" || kind == "contentPart";
}

// Coordinates are whole EMU nearly always: those are read without strtod, which
// dominated reading the frames of deeply grouped shapes. Anything else (a
// fraction, an exponent, spaces, "-0", very long digits) goes the general way.
double Coordinate(const pugi::xml_attribute& a) {
  const char* p = a.value();
  const bool negative = *p == '-';
  if (negative) ++p;
  long long value = 0;
  int digits = 0;
  for (; *p >= '0' && *p <= '9'; ++p, ++digits) value = value * 10 + (*p - '0');
  if (*p != '\0' || digits == 0 || digits > 15 || (negative && value == 0)) return a.as_double();
  return static_cast<double>(negative ? -value : value);
}

std::optional<Frame> FrameOf(const pugi::xml_node& xfrm, std::string_view offName, std::string_view extName) {
  pugi::xml_node off = ChildNamed(xfrm, offName), ext = ChildNamed(xfrm, extName);
  if (!off || !ext) return std::nullopt;
  return Frame{Coordinate(off.attribute("x")), Coordinate(off.attribute("y")), Coordinate(ext.attribute("cx")),
               Coordinate(ext.attribute("cy"))};
}

pugi::xml_node ChildMade(pugi::xml_node parent, std::string_view local) {
  if (pugi::xml_node c = ChildNamed(parent, local)) return c;
  return parent.append_child(DrawingName(parent, local).c_str());
}

void WritePoint(pugi::xml_node node, const char* a, const char* b, double x, double y) {
  node.remove_attribute(a);
  node.remove_attribute(b);
  node.append_attribute(a) = static_cast<long long>(std::llround(x));
  node.append_attribute(b) = static_cast<long long>(std::llround(y));
}

}  // namespace

pugi::xml_node TransformOf(const pugi::xml_node& shape) {
  return IsFrame(shape) ? ChildNamed(shape, "xfrm") : ChildNamed(ShapePropertiesOf(shape), "xfrm");
}

pugi::xml_node MakeTransform(pugi::xml_node shape) {
  if (pugi::xml_node xfrm = TransformOf(shape)) return xfrm;
  if (IsFrame(shape)) {
    // p:xfrm of a frame comes right after its non-visual properties.
    pugi::xml_node nv = shape.first_child();
    return nv ? shape.insert_child_after(NameLike(shape, "xfrm").c_str(), nv) : pugi::xml_node();
  }
  pugi::xml_node spPr = ShapePropertiesOf(shape);
  if (!spPr) return {};
  return spPr.prepend_child(DrawingName(spPr, "xfrm").c_str());
}

std::optional<Frame> OwnFrame(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  return NearestDecision(doc, part, shape, [](const std::string&, const pugi::xml_node& s) {
    return FrameOf(TransformOf(s), "off", "ext");
  });
}

Frame FromGroupChildSpace(const pugi::xml_node& group, const Frame& f) {
  pugi::xml_node xfrm = TransformOf(group);
  auto outer = FrameOf(xfrm, "off", "ext");
  auto inner = FrameOf(xfrm, "chOff", "chExt");
  if (!outer || !inner) return f;
  double sx = inner->width != 0 ? outer->width / inner->width : 1.0;
  double sy = inner->height != 0 ? outer->height / inner->height : 1.0;
  return {outer->left + (f.left - inner->left) * sx, outer->top + (f.top - inner->top) * sy, f.width * sx,
          f.height * sy};
}

Frame ToGroupChildSpace(const pugi::xml_node& group, const Frame& f) {
  pugi::xml_node xfrm = TransformOf(group);
  auto outer = FrameOf(xfrm, "off", "ext");
  auto inner = FrameOf(xfrm, "chOff", "chExt");
  if (!outer || !inner) return f;
  double sx = outer->width != 0 ? inner->width / outer->width : 1.0;
  double sy = outer->height != 0 ? inner->height / outer->height : 1.0;
  return {inner->left + (f.left - outer->left) * sx, inner->top + (f.top - outer->top) * sy, f.width * sx,
          f.height * sy};
}

std::vector<pugi::xml_node> EnclosingGroups(const pugi::xml_node& shape) {
  std::vector<pugi::xml_node> groups;
  // mc:AlternateContent branches sit between a group and its member.
  for (pugi::xml_node p = shape.parent(); p && LocalName(p) != "spTree"; p = p.parent())
    if (LocalName(p) == "grpSp") groups.push_back(p);
  return groups;
}

Frame SlideFrame(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  return doc.SlideFrameOf(shape, [&] {
    Frame f = OwnFrame(doc, part, shape).value_or(Frame{});
    for (const pugi::xml_node& group : EnclosingGroups(shape)) f = FromGroupChildSpace(group, f);
    return Frame{f.left / kEmuPerPoint, f.top / kEmuPerPoint, f.width / kEmuPerPoint, f.height / kEmuPerPoint};
  });
}

bool SetSlideFrame(const pugi::xml_node& shape, const Frame& f) {
  Frame emu{f.left * kEmuPerPoint, f.top * kEmuPerPoint, f.width * kEmuPerPoint, f.height * kEmuPerPoint};
  std::vector<pugi::xml_node> groups = EnclosingGroups(shape);
  for (auto it = groups.rbegin(); it != groups.rend(); ++it) emu = ToGroupChildSpace(*it, emu);
  pugi::xml_node xfrm = MakeTransform(shape);
  if (!xfrm) return false;
  WriteFrame(xfrm, emu);
  return true;
}

void WriteFrame(pugi::xml_node xfrm, const Frame& emu) {
  WritePoint(ChildMade(xfrm, "off"), "x", "y", emu.left, emu.top);
  WritePoint(ChildMade(xfrm, "ext"), "cx", "cy", emu.width, emu.height);
}

}  // namespace quillmere::engine
