#pragma once
// Every engine class's members by the type name its objects give, filled as
// the classes are made (before main): the one list of what the engine answers,
// against which stand-ins of PowerPoint objects are held.

#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmere::engine {

// A member's name and the first PowerPoint version that has it.
using DeclaredMember = std::pair<std::string_view, int>;

// Records a class's member list, read when first asked for.
bool RegisterMembers(std::string_view typeName, std::function<std::vector<DeclaredMember>()> members);

// Objects of the first type name also answer what those of the second do.
bool RegisterAlsoAnswers(std::string_view typeName, std::string_view otherTypeName);

// Whether a class of that type name (or of one it also answers as) answers the member (case-insensitive) in
// that version; nothing when no engine class has the type name.
std::optional<bool> EngineAnswers(std::string_view typeName, std::string_view member, int version);

}  // namespace quillmere::engine
