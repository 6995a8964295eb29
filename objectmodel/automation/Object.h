#pragma once
// A convenient handle on a Dispatch for the writers:
//   int n = pres.Get("Slides").Object().Get("Count").AsLong();
//   pres.Object("PageSetup").Get("SlideWidth").AsSingle();
// An empty handle fails every call with "Object variable ... not set".

#include <array>
#include <memory>
#include <string_view>

#include "objectmodel/automation/Dispatch.h"

namespace quillmere {

class Object {
 public:
  Object() = default;
  explicit Object(std::shared_ptr<Dispatch> d) : d_(std::move(d)) {}
  Object(const Value& v) : d_(v.AsDispatch()) {}

  explicit operator bool() const { return d_ != nullptr; }
  const std::shared_ptr<Dispatch>& Ptr() const { return d_; }
  std::string_view TypeName() const;

  template <class... A>
  Value Get(std::string_view member, A&&... args) const {
    std::array<Value, sizeof...(A)> a{Value(std::forward<A>(args))...};
    return Invoke(InvokeKind::Get, member, a);
  }
  template <class... A>
  Value Call(std::string_view member, A&&... args) const {
    std::array<Value, sizeof...(A)> a{Value(std::forward<A>(args))...};
    return Invoke(InvokeKind::Call, member, a);
  }
  // Put(member, value) or Put(member, index..., value): the value comes last.
  template <class... A>
  void Put(std::string_view member, A&&... argsThenValue) const {
    std::array<Value, sizeof...(A)> a{Value(std::forward<A>(argsThenValue))...};
    Invoke(InvokeKind::Put, member, a);
  }
  // Get(member, args...) as an object.
  template <class... A>
  Object Child(std::string_view member, A&&... args) const {
    return Object(Get(member, std::forward<A>(args)...));
  }
  // Collections are 1-based.
  std::int32_t Count() const { return Get("Count").AsLong(); }
  template <class K>
  Object Item(K&& key) const {
    return Object(Get("Item", std::forward<K>(key)));
  }

 private:
  Value Invoke(InvokeKind kind, std::string_view member, Args args) const;
  std::shared_ptr<Dispatch> d_;
};

}  // namespace quillmere
