#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/ShapeBranches.h"
#include "shapes/ShapeFlips.h"
#include "shapes/ShapeProperties.h"

namespace quillmere {
namespace {

// Newer versions walk the members in place; returns false when the host cancelled.
bool WriteMembers(ExportContext& context, ShapeContext& c, pugi::xml_node items) {
  std::int32_t count = 0;
  c.run.Step(200, [&] { count = c.shape.Child("GroupItems").Count(); });
  for (std::int32_t i = 1; i <= count; ++i) {
    Object member;
    c.run.Step(201, [&] { member = c.shape.Child("GroupItems").Item(i); });
    if (member) ShapeProperties(context, member, items, false);
    if (context.CheckAbort()) return false;
  }
  return true;
}

// PowerPoint 2003 cannot reach group members in place: a copy of the group is
// ungrouped where the group lies and its shapes are written, then deleted.
void WriteUngroupedCopy(ExportContext& context, ShapeContext& c, pugi::xml_node items) {
  Object shapes;
  std::int32_t before = 0, after = 0;
  c.run.Step(210, [&] {
    shapes = c.shape.Child("Parent").Child("Shapes");
    before = shapes.Count();
  });
  c.run.Step(211, [&] {
    Object copy = c.shape.Child("Duplicate").Item(1);
    copy.Put("Left", c.shape.Get("Left").AsSingle());
    copy.Put("Top", c.shape.Get("Top").AsSingle());
    copy.Call("Ungroup");
    after = shapes.Count();
  });
  for (std::int32_t i = before + 1; i <= after; ++i) {
    Object member;
    c.run.Step(212, [&] { member = shapes.Item(i); });
    if (member) ShapeProperties(context, member, items, false);
  }
  for (std::int32_t i = after; i > before; --i) c.run.Step(213, [&] { shapes.Item(i).Call("Delete"); });
}

}  // namespace

void WriteGroupItems(ExportContext& context, ShapeContext& c) {
  pugi::xml_node items = AppendContainer(c.element, "GroupItems");
  float rotation = 0.0f;
  Flips flips;
  c.run.Step(220, [&] {
    rotation = c.shape.Get("Rotation").AsSingle();
    c.shape.Put("Rotation", 0.0f);
  });
  c.run.Step(221, [&] { flips = UndoFlips(c.shape); });
  if (c.majorVersion >= 12) {
    if (!WriteMembers(context, c, items)) {
      c.run.Step(222, [&] { c.shape.Put("Rotation", rotation); });
      return;
    }
  } else {
    WriteUngroupedCopy(context, c, items);
  }
  c.run.Step(223, [&] { ReapplyFlips(c.shape, flips); });
  c.run.Step(224, [&] { c.shape.Put("Rotation", rotation); });
}

}  // namespace quillmere
