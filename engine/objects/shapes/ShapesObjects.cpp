#include "engine/model/shapes/AutoShapeTypes.h"
#include "engine/model/shapes/PlaceholderTypes.h"
#include "engine/model/shapes/ShapeEdits.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/shapes/ShapeClipboard.h"
#include "engine/objects/shapes/ShapeLookup.h"
#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/shapes/ShapeRangeObjects.h"

namespace quillmere::engine {
namespace {

pugi::xml_node TitleShapeOf(ShapesObject& o) {
  for (const pugi::xml_node& shape : o.TopLevel())
    if (IsTitlePlaceholder(PlaceholderOf(ResolvedShape(shape)))) return shape;
  return {};
}

Value AddShape(ShapesObject& o, Args a) {
  std::string_view preset = PresetOfAutoShapeType(ArgAt(a, 0).AsLong());
  if (preset.empty()) throw ComError(hr::kInvalidArgument, "Shapes.AddShape : Invalid enumeration value.");
  Frame f{ArgAt(a, 1).AsDouble(), ArgAt(a, 2).AsDouble(), ArgAt(a, 3).AsDouble(), ArgAt(a, 4).AsDouble()};
  return Value(o.ShapeAt(AddPresetShape(*o.doc, o.part, preset, f)));
}

}  // namespace

bool PartStillThere(PresentationDocument& doc, const std::string& part, const pugi::xml_node& partDocument,
                    unsigned& partsForgotten) {
  if (partsForgotten == doc.PartsForgotten()) return true;
  if (doc.PartRoot(part).root() != partDocument) return false;
  partsForgotten = doc.PartsForgotten();
  return true;
}

Value ShapesObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (!PartStillThere(*doc, part, partDocument_, partsForgotten_))
    throw ComError(hr::kUnspecified, "Shapes (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

std::shared_ptr<ShapeObject> ShapesObject::ShapeAt(const pugi::xml_node& treeChild) const {
  return std::make_shared<ShapeObject>(session_, doc, part, treeChild, parent);
}

const MemberTable<ShapesObject>& ShapesObject::Members() {
  static const MemberTable<ShapesObject> table{
      {.name = "Count", .get = [](ShapesObject& o, Args) { return Value(o.doc->ShapeCount(o.part)); }},
      {.name = "Parent", .get = [](ShapesObject& o, Args) { return Value(o.parent); }},
      {.name = "Item",
       .get = [](ShapesObject& o,
                 Args a) { return Value(o.ShapeAt(ShapeByIndexOrName(o.TopLevel(), ArgAt(a, 0), "Shapes"))); }},
      {.name = "Range",
       .get =
           [](ShapesObject& o, Args a) {
             std::vector<std::shared_ptr<ShapeObject>> shapes;
             if (ArgAt(a, 0).IsEmpty())
               for (const pugi::xml_node& shape : o.TopLevel()) shapes.push_back(o.ShapeAt(shape));
             // Range(1, "Title 1", ...): each argument an index or a name.
             for (size_t i = 0; i < a.size() && !ArgAt(a, 0).IsEmpty(); ++i)
               if (!a[i].IsEmpty())
                 shapes.push_back(
                     o.ShapeAt(ShapeByIndexOrName(o.TopLevel(), a[i], "Shapes", &o.doc->ShapeNamesOf(o.part))));
             return Value(std::make_shared<ShapeRangeObject>(o.Session(), std::move(shapes)));
           }},
      {.name = "AddShape", .call = AddShape},
      {.name = "Paste", .call = [](ShapesObject& o, Args) { return PasteShapesFromClipboard(o); }},
      {.name = "HasTitle", .get = [](ShapesObject& o, Args) { return MsoBool(static_cast<bool>(TitleShapeOf(o))); }},
      {.name = "Title",
       .get =
           [](ShapesObject& o, Args) {
             pugi::xml_node title = TitleShapeOf(o);
             if (!title) throw ComError(hr::kUnspecified, "Shapes.Title : Object does not exist.");
             return Value(o.ShapeAt(title));
           }},
      {.name = "Placeholders",
       .get = [](ShapesObject& o,
                 Args) { return Value(std::make_shared<PlaceholdersObject>(o.Session(), o.shared_from_this())); }},
  };
  return table;
}

PlaceholdersObject::PlaceholdersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapesObject> sh)
    : EngineObject(std::move(s)), shapes(std::move(sh)) {
  for (const pugi::xml_node& shape : shapes->TopLevel())
    if (PlaceholderOf(ResolvedShape(shape))) placeholders.push_back(shape);
}

const MemberTable<PlaceholdersObject>& PlaceholdersObject::Members() {
  static const MemberTable<PlaceholdersObject> table{
      {.name = "Count",
       .get = [](PlaceholdersObject& o, Args) { return Value(static_cast<int>(o.placeholders.size())); }},
      {.name = "Parent", .get = [](PlaceholdersObject& o, Args) { return Value(o.shapes->parent); }},
      {.name = "Item",
       .get =
           [](PlaceholdersObject& o, Args a) {
             int count = static_cast<int>(o.placeholders.size());
             return Value(o.shapes->ShapeAt(o.placeholders[CollectionIndex(ArgAt(a, 0), count, "Placeholders") - 1]));
           }},
  };
  return table;
}

}  // namespace quillmere::engine
