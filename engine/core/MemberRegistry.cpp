#include "engine/core/MemberRegistry.h"

#include <map>
#include <mutex>
#include <string>

#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

struct Registry {
  std::mutex lock;
  std::multimap<std::string, std::function<std::vector<DeclaredMember>()>, std::less<>> lists;
  std::multimap<std::string, std::string, std::less<>> alsoAnswers;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

bool RegisterMembers(std::string_view typeName, std::function<std::vector<DeclaredMember>()> members) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  r.lists.emplace(std::string(typeName), std::move(members));
  return true;
}

bool RegisterAlsoAnswers(std::string_view typeName, std::string_view otherTypeName) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  r.alsoAnswers.emplace(std::string(typeName), std::string(otherTypeName));
  return true;
}

std::optional<bool> EngineAnswers(std::string_view typeName, std::string_view member, int version) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.lock);
  std::vector<std::string> types{std::string(typeName)};
  auto [aliasFirst, aliasLast] = r.alsoAnswers.equal_range(typeName);
  for (auto it = aliasFirst; it != aliasLast; ++it) types.push_back(it->second);
  const std::string wanted = LowerAscii(member);
  bool known = false;
  for (const std::string& type : types) {
    auto [first, last] = r.lists.equal_range(type);
    known |= first != last;
    for (auto it = first; it != last; ++it)
      for (const auto& [name, since] : it->second())
        if (since <= version && LowerAscii(name) == wanted) return true;
  }
  if (!known) return std::nullopt;
  return false;
}

}  // namespace quillmere::engine
