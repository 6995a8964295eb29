#include "engine/objects/shapes/ShapeRangeObjects.h"

#include "engine/objects/images/ShapeImages.h"
#include "engine/objects/shapes/ShapeClipboard.h"

namespace quillmere::engine {

Value ShapeRangeObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (shapes.size() == 1 && !Members().Has(member, session_->Version()))
    return shapes.front()->Invoke(kind, member, args);
  return EngineObject::Invoke(kind, member, args);
}

namespace {

// A range of one shape answers what the shape answers.
[[maybe_unused]] const bool kShapeMembersRegistered =
    RegisterAlsoAnswers(ShapeRangeObject::kTypeName, ShapeObject::kTypeName);

}  // namespace

const MemberTable<ShapeRangeObject>& ShapeRangeObject::Members() {
  static const MemberTable<ShapeRangeObject> table{
      {.name = "Count", .get = [](ShapeRangeObject& o, Args) { return Value(static_cast<int>(o.shapes.size())); }},
      {.name = "Item",
       .get =
           [](ShapeRangeObject& o, Args a) {
             int count = static_cast<int>(o.shapes.size());
             return Value(o.shapes[CollectionIndex(ArgAt(a, 0), count, "ShapeRange") - 1]);
           }},
      {.name = "Export",
       .call = [](ShapeRangeObject& o, Args a) { return ExportShapeImages(o.shapes, "ShapeRange.Export", a); }},
      {.name = "Copy",
       .call =
           [](ShapeRangeObject& o, Args) {
             CopyShapesToClipboard(o.shapes, "ShapeRange.Copy");
             return Value();
           }},
      {.name = "Delete",
       .call =
           [](ShapeRangeObject& o, Args) {
             for (const auto& shape : o.shapes) shape->Invoke(InvokeKind::Call, "Delete", {});
             return Value();
           }},
  };
  return table;
}

}  // namespace quillmere::engine
