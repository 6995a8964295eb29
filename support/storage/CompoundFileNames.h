#pragma once
// Entry names as a compound file (a project archive) can hold them, and the
// short names that stand in for the others; the long name then goes to the
// folder's relationship file ("_rel.lst").

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quillmere {

// A directory entry holds 32 UTF-16 units with the terminating zero.
inline constexpr std::size_t kMaxStoredNameUnits = 31;

// True for 1 to kMaxStoredNameUnits units and none of '/', '\', ':', '!'
// (which the format reserves); otherwise false, with the reason in *why.
bool StorableName(std::string_view name, std::string* why = nullptr);

// The key by which names of one folder must differ: a compound file compares
// names without regard to case.
std::string StoredNameKey(std::string_view name);

// "BASE~N.EXT": up to six letters and digits of the name, '~' and the first
// number N for which taken() says no, then up to three letters and digits of
// its extension, all in upper case.
std::string MakeShortName(std::string_view longName, const std::function<bool(const std::string&)>& taken);

}  // namespace quillmere
