#pragma once
// Base of every engine object: answers Invoke from the class's member table,
// gated by the session's version.

#include <memory>
#include <string_view>

#include "engine/core/DeferredEdit.h"
#include "engine/core/EngineSession.h"
#include "engine/core/MemberRegistry.h"
#include "engine/core/MemberTable.h"

namespace quillmere::engine {

template <class Self>
class EngineObject : public Dispatch, public std::enable_shared_from_this<Self> {
 public:
  explicit EngineObject(std::shared_ptr<EngineSession> session) : session_(std::move(session)) {
    (void)kMembersRegistered;
  }

  Value Invoke(InvokeKind kind, std::string_view member, Args args) override {
    if (session_->deferredEdit) MakeDeferredEditFor(*session_, *this, kind, member, args);
    return Self::Members().Invoke(static_cast<Self&>(*this), session_->Version(), kind, member, args);
  }
  std::string_view TypeName() const override { return Self::kTypeName; }

  const std::shared_ptr<EngineSession>& Session() const { return session_; }

 protected:
  std::shared_ptr<EngineSession> session_;

 private:
  // Made with the class, so that every class an object can be made of is listed.
  static inline const bool kMembersRegistered =
      RegisterMembers(Self::kTypeName, [] { return Self::Members().Declared(); });
};

// 1-based index argument of a collection, checked against its size.
int CollectionIndex(const Value& index, int count, std::string_view collection);

inline constexpr int kMsoTrue = -1;
inline constexpr int kMsoFalse = 0;
inline Value MsoBool(bool b) { return b ? kMsoTrue : kMsoFalse; }

}  // namespace quillmere::engine
