// Build step: writes Quillmere.tlb for the DLL's resources.
// Usage: GenerateTypeLibrary <output.tlb> win32|win64

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "com/typelib/TypeLibraryTable.h"
#include "com/typelib/TypeLibraryWriter.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || (std::wcscmp(argv[2], L"win32") != 0 && std::wcscmp(argv[2], L"win64") != 0)) {
    std::fprintf(stderr, "usage: GenerateTypeLibrary <output.tlb> win32|win64\n");
    return 2;
  }
  SYSKIND syskind = std::wcscmp(argv[2], L"win32") == 0 ? SYS_WIN32 : SYS_WIN64;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string error;
  HRESULT hr = quillmere::com::typelib::WriteTypeLibrary(quillmere::com::typelib::QuillmereLibrary(), argv[1],
                                                         syskind, error);
  CoUninitialize();
  if (FAILED(hr)) {
    std::fprintf(stderr, "GenerateTypeLibrary: %s failed with 0x%08lX\n", error.c_str(),
                 static_cast<unsigned long>(hr));
    return 1;
  }
  return 0;
}
