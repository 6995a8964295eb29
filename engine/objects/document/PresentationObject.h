#pragma once
// An open presentation. A closed one fails every member call.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

class SlidesObject;
class DesignsObject;
class DocumentPropertiesObject;
class PresentationsObject;

class PresentationObject final : public EngineObject<PresentationObject> {
 public:
  static constexpr std::string_view kTypeName = "Presentation";
  static const MemberTable<PresentationObject>& Members();

  PresentationObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d)
      : EngineObject(std::move(s)), doc(std::move(d)) {}

  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;

  std::shared_ptr<SlidesObject> Slides();
  std::shared_ptr<DesignsObject> Designs();
  std::shared_ptr<DocumentPropertiesObject> CustomProperties();
  // The fonts the presentation uses (PresentationFonts), worked out again
  // only after its text or its slides changed.
  const std::vector<std::string>& Fonts();
  void Close();
  // FullName, Name and Path of the file it was opened from or saved to (UTF-8 text).
  void NameAfterFile(const std::string& file);

  std::shared_ptr<PresentationDocument> doc;
  std::string fullName, name, path;
  bool saved = true;
  bool withWindow = false;
  bool closed = false;
  std::weak_ptr<PresentationsObject> owner;

 private:
  std::shared_ptr<SlidesObject> slides_;
  std::shared_ptr<DesignsObject> designs_;
  std::shared_ptr<DocumentPropertiesObject> customProperties_;
  std::vector<std::string> fonts_;
  std::optional<std::pair<unsigned, unsigned>> fontsRevision_;  // text and slide revisions fonts_ was read at
};

}  // namespace quillmere::engine
