#include "engine/objects/ShapeObjects.h"

#include "engine/model/PlaceholderTypes.h"
#include "engine/model/ShapeText.h"
#include "engine/model/ShapeTree.h"
#include "engine/model/XmlNames.h"
#include "engine/objects/ParentLink.h"

namespace quillmere::engine {
namespace {

pugi::xml_node TitleShapeOf(ShapesObject& o) {
  for (const pugi::xml_node& shape : TopLevelShapes(o.doc->PartRoot(o.part)))
    if (IsTitlePlaceholder(PlaceholderOf(shape))) return shape;
  return {};
}

}  // namespace

std::shared_ptr<ShapeObject> ShapesObject::ShapeAt(const pugi::xml_node& element) const {
  return std::make_shared<ShapeObject>(session_, doc, part, element, parent);
}

const MemberTable<ShapesObject>& ShapesObject::Members() {
  static const MemberTable<ShapesObject> table{
      {.name = "Count", .get = [](ShapesObject& o, Args) { return Value(o.doc->ShapeCount(o.part)); }},
      {.name = "Parent", .get = [](ShapesObject& o, Args) { return ParentOf(o.parent, "Shapes"); }},
      {.name = "HasTitle", .get = [](ShapesObject& o, Args) { return MsoBool(static_cast<bool>(TitleShapeOf(o))); }},
      {.name = "Title",
       .get =
           [](ShapesObject& o, Args) {
             pugi::xml_node title = TitleShapeOf(o);
             if (!title) throw ComError(hr::kUnspecified, "Shapes.Title : Object does not exist.");
             return Value(o.ShapeAt(title));
           }},
      {.name = "Placeholders",
       .get = [](ShapesObject& o, Args) {
         return Value(std::make_shared<PlaceholdersObject>(o.Session(), o.shared_from_this()));
       }},
  };
  return table;
}

PlaceholdersObject::PlaceholdersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapesObject> sh)
    : EngineObject(std::move(s)), shapes(std::move(sh)) {
  for (const pugi::xml_node& shape : TopLevelShapes(shapes->doc->PartRoot(shapes->part)))
    if (PlaceholderOf(shape)) placeholders.push_back(shape);
}

const MemberTable<PlaceholdersObject>& PlaceholdersObject::Members() {
  static const MemberTable<PlaceholdersObject> table{
      {.name = "Count",
       .get = [](PlaceholdersObject& o, Args) { return Value(static_cast<int>(o.placeholders.size())); }},
      {.name = "Parent", .get = [](PlaceholdersObject& o, Args) { return ParentOf(o.shapes->parent, "Placeholders"); }},
      {.name = "Item",
       .get =
           [](PlaceholdersObject& o, Args a) {
             int count = static_cast<int>(o.placeholders.size());
             return Value(o.shapes->ShapeAt(o.placeholders[CollectionIndex(ArgAt(a, 0), count, "Placeholders") - 1]));
           }},
  };
  return table;
}

const MemberTable<ShapeObject>& ShapeObject::Members() {
  static const MemberTable<ShapeObject> table{
      {.name = "Name",
       .get = [](ShapeObject& o, Args) { return Value(DrawingPropertiesOf(o.element).attribute("name").value()); }},
      {.name = "Parent", .get = [](ShapeObject& o, Args) { return ParentOf(o.parent, "Shape"); }},
      {.name = "PlaceholderFormat",
       .get =
           [](ShapeObject& o, Args) {
             if (!PlaceholderOf(o.element))
               throw ComError(hr::kUnspecified, "Shape.PlaceholderFormat : This shape is not a placeholder.");
             return Value(std::make_shared<PlaceholderFormatObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "TextFrame",
       .get =
           [](ShapeObject& o, Args) {
             // Only autoshapes (placeholders among them) carry a text frame.
             if (LocalName(o.element) != "sp")
               throw ComError(hr::kUnspecified, "Shape.TextFrame : This type of shape cannot have a text frame.");
             return Value(std::make_shared<TextFrameObject>(o.Session(), o.shared_from_this()));
           }},
  };
  return table;
}

const MemberTable<PlaceholderFormatObject>& PlaceholderFormatObject::Members() {
  static const MemberTable<PlaceholderFormatObject> table{
      {.name = "Type",
       .get = [](PlaceholderFormatObject& o, Args) { return Value(PlaceholderType(PlaceholderOf(o.shape->element))); }},
      {.name = "Parent", .get = [](PlaceholderFormatObject& o, Args) { return Value(o.shape); }},
  };
  return table;
}

const MemberTable<TextFrameObject>& TextFrameObject::Members() {
  static const MemberTable<TextFrameObject> table{
      {.name = "TextRange",
       .get = [](TextFrameObject& o, Args) { return Value(std::make_shared<TextRangeObject>(o.Session(), o.shape)); }},
      {.name = "Parent", .get = [](TextFrameObject& o, Args) { return Value(o.shape); }},
  };
  return table;
}

std::string TextRangeObject::Text() const { return TextOfBody(ChildNamed(shape->element, "txBody")); }

const MemberTable<TextRangeObject>& TextRangeObject::Members() {
  static const MemberTable<TextRangeObject> table{
      {.name = "Text", .get = [](TextRangeObject& o, Args) { return Value(o.Text()); }},
      {.name = "TrimText", .get = [](TextRangeObject& o, Args) { return Value(TrimmedText(o.Text())); }},
  };
  return table;
}

}  // namespace quillmere::engine
