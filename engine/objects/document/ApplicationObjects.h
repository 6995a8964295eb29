#pragma once
// The engine's Application and its Presentations collection.

#include <memory>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/objects/document/PresentationObject.h"

namespace quillmere::engine {

// Owns the open presentations; each keeps only a weak link back to close itself.
class PresentationsObject final : public EngineObject<PresentationsObject> {
 public:
  static constexpr std::string_view kTypeName = "Presentations";
  static const MemberTable<PresentationsObject>& Members();
  using EngineObject::EngineObject;
  std::shared_ptr<PresentationObject> Open(Args args, std::string_view member);
  // Add(WithWindow): a new blank presentation, untitled like an untitled copy.
  std::shared_ptr<PresentationObject> Add(Args args);
  void Remove(const PresentationObject* pres);

  std::vector<std::shared_ptr<PresentationObject>> open;

 private:
  // "PresentationN", counted over the session as PowerPoint counts its untitled presentations.
  void NameUntitled(PresentationObject& pres);
  // Lists the presentation as open; only one with a window can become the active one.
  std::shared_ptr<PresentationObject> Adopt(std::shared_ptr<PresentationObject> pres, bool withWindow);
};

class ApplicationObject final : public EngineObject<ApplicationObject> {
 public:
  static constexpr std::string_view kTypeName = "Application";
  static const MemberTable<ApplicationObject>& Members();
  explicit ApplicationObject(std::shared_ptr<EngineSession> s)
      : EngineObject(s), presentations(std::make_shared<PresentationsObject>(s)) {}

  // After Quit the instance is gone, as an out-of-process server would be.
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  void Quit();

  std::shared_ptr<PresentationsObject> presentations;
};

}  // namespace quillmere::engine
