#pragma once
// Shapes: the shape collection of a slide, layout, master or notes page, its
// placeholders, and one shape (found by its part and its element) with its
// placeholder format and its text.

#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/core/EngineObject.h"
#include "engine/model/PresentationDocument.h"

namespace quillmere::engine {

class ShapeObject;

// The shapes of one slide, layout, master or notes part.
class ShapesObject final : public EngineObject<ShapesObject> {
 public:
  static constexpr std::string_view kTypeName = "Shapes";
  static const MemberTable<ShapesObject>& Members();
  ShapesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
               std::weak_ptr<Dispatch> owner)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), parent(std::move(owner)) {}
  std::shared_ptr<ShapeObject> ShapeAt(const pugi::xml_node& element) const;
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::weak_ptr<Dispatch> parent;  // the slide, layout, master or notes page
};

class PlaceholdersObject final : public EngineObject<PlaceholdersObject> {
 public:
  static constexpr std::string_view kTypeName = "Placeholders";
  static const MemberTable<PlaceholdersObject>& Members();
  PlaceholdersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapesObject> shapes);
  std::shared_ptr<ShapesObject> shapes;
  std::vector<pugi::xml_node> placeholders;  // back to front
};

// One shape. Its element stays valid as long as the document: parts are
// parsed once and never again.
class ShapeObject final : public EngineObject<ShapeObject> {
 public:
  static constexpr std::string_view kTypeName = "Shape";
  static const MemberTable<ShapeObject>& Members();
  ShapeObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
              pugi::xml_node e, std::weak_ptr<Dispatch> owner)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), element(e), parent(std::move(owner)) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  pugi::xml_node element;  // p:sp, p:pic, p:graphicFrame, p:grpSp, p:cxnSp, ...
  std::weak_ptr<Dispatch> parent;
};

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

// The whole text of a shape.
class TextRangeObject final : public EngineObject<TextRangeObject> {
 public:
  static constexpr std::string_view kTypeName = "TextRange";
  static const MemberTable<TextRangeObject>& Members();
  TextRangeObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::string Text() const;
  std::shared_ptr<ShapeObject> shape;
};

}  // namespace quillmere::engine
