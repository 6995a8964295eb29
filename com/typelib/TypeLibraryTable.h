#pragma once
// What Quillmere's type library declares, as data: the generator writes the
// .tlb from it, so every flag, DISPID and default sits in one readable table.

#include <windows.h>

#include <cstdint>
#include <span>

namespace quillmere::com::typelib {

enum class Type : std::uint8_t {
  Void,
  Long,
  Bool,
  Bstr,
  Date,
  Variant,
  Object,
  ByteArray,
  StringArray,
  VariantArray,
  MsgLevel,           // EUZMsgLevel
  OverwriteResponse,  // EUZOverWriteResponse
};

enum class Pass : std::uint8_t {
  In,      // [in], by value
  InOut,   // [in, out], by reference
  Retval,  // [out, retval]
};

struct Default {
  enum class Kind : std::uint8_t { None, Long, Bool, Text } kind = Kind::None;
  std::int32_t number = 0;
  const wchar_t* text = nullptr;
};

struct Param {
  const wchar_t* name;
  Type type;
  Pass pass;
  bool optional = false;
  Default value{};
};

enum class MemberKind : std::uint8_t { Method, Get, Put };

struct Member {
  const wchar_t* name;
  MemberKind kind;
  MEMBERID dispid;
  std::span<const Param> params;
  bool varargs = false;  // the last parameter takes the rest of the arguments
};

enum class InterfaceKind : std::uint8_t {
  Dual,    // hidden, dual, non-extensible, derived from IDispatch
  Events,  // hidden source dispinterface
};

struct Interface {
  const wchar_t* name;
  GUID iid;
  WORD majorVersion;
  WORD minorVersion;
  InterfaceKind kind;
  std::span<const Member> members;  // in virtual-slot order
};

struct Enumerator {
  const wchar_t* name;
  std::int32_t value;
};

struct Enumeration {
  const wchar_t* name;
  std::span<const Enumerator> values;
};

struct Coclass {
  const wchar_t* name;
  GUID clsid;
  WORD typeFlags;
  const wchar_t* defaultInterface;
  const wchar_t* sourceInterface;  // nullptr: the class raises no events
};

struct Library {
  const wchar_t* name;
  GUID libid;
  WORD majorVersion;
  WORD minorVersion;
  std::span<const Enumeration> enumerations;
  std::span<const Interface> interfaces;
  std::span<const Coclass> coclasses;
};

const Library& QuillmereLibrary();

// The enumeration a Type::MsgLevel or Type::OverwriteResponse refers to; nullptr for other types.
const wchar_t* EnumerationName(Type type);

}  // namespace quillmere::com::typelib
