#pragma once
// Build outputs (Quillmere.dll, Quillmere.tlb) land in the folder of the test
// program, which is how the Windows tests find them under Wine.

#include <windows.h>

#include <string>

inline std::wstring BesideTestProgram(const wchar_t* fileName) {
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + fileName;
}
