#pragma once
// The creatable classes of Quillmere.dll, for the class factories and registration.

#include <windows.h>

#include <span>

namespace quillmere::com {

HRESULT CreatePPTInfo(REFIID riid, void** object);
HRESULT CreateProjectFileHandler(REFIID riid, void** object);
HRESULT CreateRegistry(REFIID riid, void** object);
HRESULT CreateUnzip(REFIID riid, void** object);

struct ServerClass {
  const wchar_t* name;  // the ProgID is "Quillmere." followed by it
  const CLSID& clsid;
  HRESULT (*create)(REFIID riid, void** object);
};

std::span<const ServerClass> ServerClasses();

}  // namespace quillmere::com
