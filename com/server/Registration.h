#pragma once
// Self-registration: each class under its ProgID "Quillmere.<class>" and its
// CLSID (in-process, apartment-threaded), and the embedded type library.
// Unregistration removes every key registration added.

#include <windows.h>

namespace quillmere::com {

HRESULT RegisterServer();
HRESULT UnregisterServer();

}  // namespace quillmere::com
