#pragma once
// The object model reached through a real IDispatch (PowerPoint or the
// engine's automation server): members by name, their DISPIDs asked once per
// object, failures raised as ComError the way a late-bound client sees them.

#include <ole2.h>
#include <oleauto.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "objectmodel/automation/Dispatch.h"

namespace quillmere {

class ComDispatch final : public Dispatch {
 public:
  // Takes over the caller's reference.
  static std::shared_ptr<ComDispatch> Adopt(IDispatch* dispatch);
  ComDispatch(const ComDispatch&) = delete;
  ComDispatch& operator=(const ComDispatch&) = delete;
  ~ComDispatch() override;

  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  // The class name of the object's type information, without the leading
  // underscore of a default interface ("_Slide" is "Slide").
  std::string_view TypeName() const override;

  // An IDispatch for any Dispatch, with a reference for the caller: the
  // wrapped one of a ComDispatch, otherwise ours exposing it.
  static IDispatch* Interface(const std::shared_ptr<Dispatch>& object);

 private:
  explicit ComDispatch(IDispatch* dispatch) : dispatch_(dispatch) {}
  DISPID IdOf(std::string_view member);

  IDispatch* dispatch_;
  std::unordered_map<std::string, DISPID> ids_;  // by lower-case member name
  mutable std::optional<std::string> typeName_;
};

}  // namespace quillmere
