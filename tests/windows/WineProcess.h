#pragma once
// Running a program of the build from a Windows test.

#include <windows.h>

#include <string>

namespace quillmere::testing {

// Runs the program with the arguments and returns its exit code (-1 when it did not start).
inline int RunProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring command = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

}  // namespace quillmere::testing
