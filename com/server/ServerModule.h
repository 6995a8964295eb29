#pragma once
// What the DLL as a whole keeps: its module handle, and the count of live
// objects and server locks that DllCanUnloadNow answers from.

#include <windows.h>

#include <string>

namespace quillmere::com {

HINSTANCE ModuleInstance();
// Full path of Quillmere.dll, where its type library is embedded.
std::wstring ModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
bool ModuleInUse();

}  // namespace quillmere::com
