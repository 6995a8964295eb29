#pragma once
// Small objects of a presentation: its page setup, tags and custom document
// properties.

#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/CustomProperties.h"
#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

class PageSetupObject final : public EngineObject<PageSetupObject> {
 public:
  static constexpr std::string_view kTypeName = "PageSetup";
  static const MemberTable<PageSetupObject>& Members();
  PageSetupObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d)
      : EngineObject(std::move(s)), doc(std::move(d)) {}
  std::shared_ptr<PresentationDocument> doc;
};

class ShapeObject;

// Tags of a presentation (part = main part), slide or shape (shape set),
// read afresh on each call so that Add and Delete show at once: Item(name)
// answers "" for a missing tag. A deleted shape's tags no longer exist.
class TagsObject final : public EngineObject<TagsObject> {
 public:
  static constexpr std::string_view kTypeName = "Tags";
  static const MemberTable<TagsObject>& Members();
  TagsObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
             std::shared_ptr<ShapeObject> sh = nullptr)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)), shape(std::move(sh)) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  TagList List() const;
  // Where the custDataLst naming the tags goes.
  pugi::xml_node Owner() const;
  std::shared_ptr<PresentationDocument> doc;
  std::string part;
  std::shared_ptr<ShapeObject> shape;
};

class DocumentPropertiesObject final : public EngineObject<DocumentPropertiesObject> {
 public:
  static constexpr std::string_view kTypeName = "DocumentProperties";
  static const MemberTable<DocumentPropertiesObject>& Members();
  DocumentPropertiesObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d)
      : EngineObject(std::move(s)), doc(std::move(d)), properties(doc->Pkg()) {}
  std::shared_ptr<PresentationDocument> doc;
  CustomProperties properties;
};

// One property, found again by name on each call so that a deleted one fails.
class DocumentPropertyObject final : public EngineObject<DocumentPropertyObject> {
 public:
  static constexpr std::string_view kTypeName = "DocumentProperty";
  static const MemberTable<DocumentPropertyObject>& Members();
  DocumentPropertyObject(std::shared_ptr<EngineSession> s, std::shared_ptr<DocumentPropertiesObject> o,
                         std::string n)
      : EngineObject(std::move(s)), owner(std::move(o)), name(std::move(n)) {}
  int Index() const;
  std::shared_ptr<DocumentPropertiesObject> owner;
  std::string name;
};

}  // namespace quillmere::engine
