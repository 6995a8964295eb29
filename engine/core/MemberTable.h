#pragma once
// How engine objects answer members by name: each class has one static table
// of members (case-insensitive names, like IDispatch) with the first PowerPoint
// version that has each member. A member the emulated version lacks fails
// exactly as a missing member does.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Dispatch.h"
#include "support/text/Text.h"

namespace quillmere::engine {

[[noreturn]] void ThrowNotSupported();
[[noreturn]] void ThrowReadOnly(std::string_view member);
// The argument at position i, or an empty value for an omitted optional argument.
const Value& ArgAt(Args args, std::size_t i);

template <class Self>
struct Member {
  std::string_view name{};
  int sinceVersion = 0;
  std::function<Value(Self&, Args)> get{};
  std::function<void(Self&, Args, const Value&)> put{};  // args without the new value
  std::function<Value(Self&, Args)> call{};
};

template <class Self>
class MemberTable {
 public:
  MemberTable(std::initializer_list<Member<Self>> members) {
    for (const auto& m : members) members_.emplace(LowerAscii(m.name), m);
  }
  // The table with members shared with other classes added.
  MemberTable With(const std::vector<Member<Self>>& more) && {
    for (const auto& m : more) members_.emplace(LowerAscii(m.name), m);
    return std::move(*this);
  }

  // Whether the emulated version has a member of that name.
  bool Has(std::string_view name, int version) const {
    auto it = members_.find(LowerAscii(name));
    return it != members_.end() && it->second.sinceVersion <= version;
  }

  // Every member with its first version.
  std::vector<std::pair<std::string_view, int>> Declared() const {
    std::vector<std::pair<std::string_view, int>> list;
    for (const auto& [key, m] : members_) list.emplace_back(m.name, m.sinceVersion);
    return list;
  }

  Value Invoke(Self& self, int version, InvokeKind kind, std::string_view name, Args args) const {
    auto it = members_.find(LowerAscii(name));
    if (it == members_.end() || it->second.sinceVersion > version) ThrowNotSupported();
    const Member<Self>& m = it->second;
    switch (kind) {
      case InvokeKind::Put:
        if (!m.put || args.empty()) ThrowReadOnly(m.name);
        m.put(self, args.first(args.size() - 1), args.back());
        return {};
      // Automation lets a property be read with method syntax and the reverse.
      case InvokeKind::Get:
        if (m.get) return m.get(self, args);
        if (m.call) return m.call(self, args);
        break;
      case InvokeKind::Call:
        if (m.call) return m.call(self, args);
        if (m.get) return m.get(self, args);
        break;
    }
    ThrowNotSupported();
  }

 private:
  std::unordered_map<std::string, Member<Self>> members_;
};

}  // namespace quillmere::engine
