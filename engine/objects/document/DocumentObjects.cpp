#include "engine/objects/document/DocumentObjects.h"

#include "engine/model/shapes/TagEdits.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

const MemberTable<PageSetupObject>& PageSetupObject::Members() {
  static const MemberTable<PageSetupObject> table{
      {.name = "SlideWidth", .get = [](PageSetupObject& o, Args) { return Value(o.doc->SlideWidth()); }},
      {.name = "SlideHeight", .get = [](PageSetupObject& o, Args) { return Value(o.doc->SlideHeight()); }},
      {.name = "FirstSlideNumber", .get = [](PageSetupObject& o, Args) { return Value(o.doc->FirstSlideNumber()); }},
  };
  return table;
}

Value TagsObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (shape && !shape->Exists()) throw ComError(hr::kUnspecified, "Tags (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

TagList TagsObject::List() const { return shape ? doc->ShapeTags(part, shape->element) : doc->Tags(part); }

pugi::xml_node TagsObject::Owner() const { return doc->TagOwner(part, shape ? shape->element : pugi::xml_node()); }

const MemberTable<TagsObject>& TagsObject::Members() {
  static const MemberTable<TagsObject> table{
      {.name = "Count", .get = [](TagsObject& o, Args) { return Value(static_cast<int>(o.List().size())); }},
      {.name = "Item",
       .get =
           [](TagsObject& o, Args a) {
             std::string wanted = LowerAscii(ArgAt(a, 0).AsString());
             for (const auto& [name, value] : o.List())
               if (LowerAscii(name) == wanted) return Value(value);
             return Value(std::string());
           }},
      {.name = "Name",
       .get =
           [](TagsObject& o, Args a) {
             TagList tags = o.List();
             int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(tags.size()), "Tags");
             return Value(tags[i - 1].first);
           }},
      {.name = "Value",
       .get =
           [](TagsObject& o, Args a) {
             TagList tags = o.List();
             int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(tags.size()), "Tags");
             return Value(tags[i - 1].second);
           }},
      {.name = "Add",
       .call =
           [](TagsObject& o, Args a) {
             std::string name = ArgAt(a, 0).AsString();
             if (name.empty()) throw ComError(hr::kInvalidArgument, "Tags.Add : The tag name is empty.");
             SetTag(*o.doc, o.part, o.Owner(), name, ArgAt(a, 1).AsString());
             return Value();
           }},
      {.name = "Delete",
       .call =
           [](TagsObject& o, Args a) {
             DeleteTag(*o.doc, o.part, o.Owner(), ArgAt(a, 0).AsString());
             return Value();
           }},
  };
  return table;
}

const MemberTable<DocumentPropertiesObject>& DocumentPropertiesObject::Members() {
  static const MemberTable<DocumentPropertiesObject> table{
      {.name = "Count", .get = [](DocumentPropertiesObject& o, Args) { return Value(o.properties.Count()); }},
      {.name = "Item",
       .get =
           [](DocumentPropertiesObject& o, Args a) {
             const Value& key = ArgAt(a, 0);
             std::string name;
             if (key.IsText()) {
               auto i = o.properties.IndexOf(key.AsString());
               if (!i) throw ComError(hr::kInvalidArgument, "Invalid procedure call or argument");
               name = o.properties.Name(*i);
             } else {
               name = o.properties.Name(CollectionIndex(key, o.properties.Count(), "DocumentProperties"));
             }
             return Value(std::make_shared<DocumentPropertyObject>(o.Session(), o.shared_from_this(), name));
           }},
  };
  return table;
}

int DocumentPropertyObject::Index() const {
  auto i = owner->properties.IndexOf(name);
  if (!i) throw ComError(hr::kUnspecified, "DocumentProperty : Object does not exist.");
  return *i;
}

const MemberTable<DocumentPropertyObject>& DocumentPropertyObject::Members() {
  static const MemberTable<DocumentPropertyObject> table{
      {.name = "Name", .get = [](DocumentPropertyObject& o, Args) { return Value(o.owner->properties.Name(o.Index())); }},
      {.name = "Value", .get = [](DocumentPropertyObject& o, Args) { return o.owner->properties.ValueAt(o.Index()); }},
      {.name = "Delete",
       .call =
           [](DocumentPropertyObject& o, Args) {
             o.owner->properties.Remove(o.Index());
             return Value();
           }},
  };
  return table;
}

}  // namespace quillmere::engine
