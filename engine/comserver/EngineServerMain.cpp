// QuillmereEngine.exe: the presentation engine as a local automation server.
//   /RegServer [/As:ProgID ...]     register (and point the given ProgIDs at it)
//   /UnregServer [/As:ProgID ...]   remove what /RegServer wrote
//   -Embedding / -Automation        started by COM: serve until no client holds anything

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/comserver/EngineServerClass.h"
#include "engine/comserver/EngineServerRegistration.h"

namespace {

bool IsSwitch(const std::wstring& arg, std::wstring_view name) {
  if (arg.size() != name.size() + 1 || (arg[0] != L'/' && arg[0] != L'-')) return false;
  return CompareStringOrdinal(arg.c_str() + 1, -1, name.data(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ExePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

int Serve() {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  const DWORD thread = GetCurrentThreadId();
  DWORD cookie = 0;
  // Withdrawn as soon as nobody holds anything, not once the loop has ended:
  // a client that creates the next instance meanwhile (a host starting
  // PowerPoint again right after quitting it) must start a new server rather
  // than reach this one while it ends.
  quillmere::engine::OnEngineServerIdle([thread, &cookie] {
    if (cookie) CoRevokeClassObject(std::exchange(cookie, 0));
    PostThreadMessageW(thread, WM_QUIT, 0, 0);
  });
  IClassFactory* factory = quillmere::engine::NewEngineClassFactory();
  HRESULT result = CoRegisterClassObject(quillmere::engine::kEngineServerClsid, factory, CLSCTX_LOCAL_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie);
  factory->Release();
  if (SUCCEEDED(result)) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (cookie) CoRevokeClassObject(cookie);
  }
  CoUninitialize();
  return SUCCEEDED(result) ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> args(argv + 1, argv + count);
  LocalFree(argv);
  std::vector<std::wstring> aliases;
  constexpr std::wstring_view kAs = L"/as:";
  for (const std::wstring& arg : args)
    if (arg.size() > kAs.size() && CompareStringOrdinal(arg.c_str(), 4, kAs.data(), 4, TRUE) == CSTR_EQUAL)
      aliases.push_back(arg.substr(kAs.size()));
  for (const std::wstring& arg : args) {
    if (IsSwitch(arg, L"RegServer")) return quillmere::engine::RegisterEngineServer(ExePath(), aliases) ? 0 : 1;
    if (IsSwitch(arg, L"UnregServer")) return quillmere::engine::UnregisterEngineServer(aliases) ? 0 : 1;
  }
  return Serve();
}
