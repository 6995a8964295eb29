#pragma once
// Type information that only names an object's class, so that a client's
// TypeName() of an object we expose reads "Slide" or "Shape"; the members
// themselves are found by name through GetIDsOfNames.

#include <ole2.h>
#include <oleauto.h>

#include <string_view>

namespace quillmere {

// The type information named typeName, with a reference for the caller; null
// when the system cannot build it.
ITypeInfo* ClassTypeInfo(std::string_view typeName);

}  // namespace quillmere
