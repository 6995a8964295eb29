#pragma once
// Shapes: the shape collection of a slide, layout, master or notes page, its
// placeholders, and one shape (found by its part and its element) with its
// placeholder format and its text. The shape's members are in
// ShapeObjects.cpp, the collections' in ShapesObjects.cpp.

#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/shapes/ShapeKind.h"

namespace quillmere::engine {

class ShapeObject;

// The shapes of one slide, layout, master or notes part.
class ShapesObject final : public EngineObject<ShapesObject> {
 public:
  static constexpr std::string_view kTypeName = "Shapes";
  static const MemberTable<ShapesObject>& Members();
  ShapesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
               std::shared_ptr<Dispatch> owner)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), parent(std::move(owner)),
        partDocument_(doc->PartRoot(part).root()), partsForgotten_(doc->PartsForgotten()) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  std::shared_ptr<ShapeObject> ShapeAt(const pugi::xml_node& treeChild) const;
  // The top-level shapes, back to front.
  const std::vector<pugi::xml_node>& TopLevel() const { return doc->TopLevelShapesOf(part); }
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  // The slide, layout, master or notes page, held so that the shapes of a
  // page reached only on the way (a notes page) keep answering Parent; the
  // page holds none of its shapes, so nothing keeps itself alive.
  std::shared_ptr<Dispatch> parent;

 private:
  // The part's document when the object was made, and the document's count of
  // forgotten parts then: a part removed (a deleted slide) fails its objects,
  // and one made anew under the same name is not theirs.
  pugi::xml_node partDocument_;
  unsigned partsForgotten_;
};

// Whether the part still has the document an object was made over; checked
// only when some part was forgotten since the last check.
bool PartStillThere(PresentationDocument& doc, const std::string& part, const pugi::xml_node& partDocument,
                    unsigned& partsForgotten);

class PlaceholdersObject final : public EngineObject<PlaceholdersObject> {
 public:
  static constexpr std::string_view kTypeName = "Placeholders";
  static const MemberTable<PlaceholdersObject>& Members();
  PlaceholdersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapesObject> shapes);
  std::shared_ptr<ShapesObject> shapes;
  std::vector<pugi::xml_node> placeholders;  // back to front
};

// One shape. Its element stays valid as long as the document, unless the
// shape is deleted: the object that deleted it then fails like a deleted
// PowerPoint shape.
class ShapeObject final : public EngineObject<ShapeObject> {
 public:
  static constexpr std::string_view kTypeName = "Shape";
  static const MemberTable<ShapeObject>& Members();
  // treeChild: the child of the shape tree or group, an mc:AlternateContent included.
  ShapeObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
              pugi::xml_node treeChild, std::shared_ptr<Dispatch> owner);
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  // False once the shape was deleted or its part removed or made anew.
  bool Exists();
  // Another shape of the same part and owner.
  std::shared_ptr<ShapeObject> Sibling(const pugi::xml_node& treeChild) const;
  // Applies an edit to every variant of the shape (each branch of an
  // mc:AlternateContent), so that whichever branch is read shows it. The edit
  // changes what is inside the shape, never its name.
  template <class F>
  void EditEachVariant(F&& edit) {
    for (const pugi::xml_node& shape : ShapeVariants(treeNode)) edit(shape);
    doc->ShapesChanged(part, NamesStay);
  }
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  pugi::xml_node
      element;  // p:sp, p:pic, p:graphicFrame, p:grpSp, p:cxnSp, ... (the branch an mc:AlternateContent takes)
  std::shared_ptr<Dispatch> parent;  // as the collection's
  pugi::xml_node treeNode;  // what the tree holds: element, or the mc:AlternateContent around it
  bool deleted = false;
  // A copy Duplicate has not made yet, which reads as the shape it copies (DeferredDuplicate.h).
  bool pendingCopy = false;
  // The copy made, a tree child of the same part: the pending copy is that shape now.
  void BecomeCopy(const pugi::xml_node& treeChild);

 private:
  pugi::xml_node partDocument_;  // as ShapesObject's
  unsigned partsForgotten_;
};

// ScaleHeight and ScaleWidth refuse RelativeToOriginalSize for anything but a picture.
bool RefusesOriginalSize(const ShapeObject& shape, Args args);

class PlaceholderFormatObject final : public EngineObject<PlaceholderFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "PlaceholderFormat";
  static const MemberTable<PlaceholderFormatObject>& Members();
  PlaceholderFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

class TextFrameObject final : public EngineObject<TextFrameObject> {
 public:
  static constexpr std::string_view kTypeName = "TextFrame";
  static const MemberTable<TextFrameObject>& Members();
  TextFrameObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

}  // namespace quillmere::engine
