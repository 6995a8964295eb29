#pragma once
// The class factory COM asks for in DllGetClassObject: one per request, making
// objects of one class.

#include <windows.h>

namespace quillmere::com {

using CreateFunction = HRESULT (*)(REFIID riid, void** object);

HRESULT CreateClassFactory(CreateFunction create, REFIID riid, void** object);

}  // namespace quillmere::com
