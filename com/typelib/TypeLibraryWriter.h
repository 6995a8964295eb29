#pragma once
// Writes a type library file from its description through ICreateTypeLib2,
// which, unlike the IDL compiler, keeps text defaults on BSTR* parameters.

#include <windows.h>

#include <string>

#include "com/typelib/TypeLibraryTable.h"

namespace quillmere::com::typelib {

// SYS_WIN32 or SYS_WIN64: fixes the pointer size behind every vtable offset.
// On failure returns the failing HRESULT and names the step in error.
HRESULT WriteTypeLibrary(const Library& library, const std::wstring& path, SYSKIND syskind, std::string& error);

}  // namespace quillmere::com::typelib
