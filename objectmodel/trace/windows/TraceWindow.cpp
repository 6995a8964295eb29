#include "objectmodel/trace/TraceWindow.h"

#include <windows.h>

#include <cstdio>

#include "support/text/windows/WideText.h"

namespace quillmere {
namespace {

// The trace window carries this property with the value 1.
constexpr const char* kTraceWindowProperty = "CorvantaDebugWindow" "_TRACEWIN";
constexpr UINT kSendTimeoutMs = 5000;

struct TraceWindow {
  HWND window = nullptr;
  bool searched = false;
};
thread_local TraceWindow traceWindow;

BOOL CALLBACK CheckWindow(HWND window, LPARAM) {
  if (reinterpret_cast<INT_PTR>(GetPropA(window, kTraceWindowProperty)) != 1) return TRUE;
  traceWindow.window = window;
  return FALSE;
}

void FindTraceWindow() {
  traceWindow.window = nullptr;
  EnumWindows(CheckWindow, 0);
}

}  // namespace

bool TraceWindowAvailable() {
  if (!traceWindow.searched) {
    traceWindow.searched = true;
    FindTraceWindow();
  }
  return traceWindow.window != nullptr;
}

// ANSI text without a terminating NUL; a window that closed makes the send fail, which is ignored.
void SendTraceRecord(const std::string& record) {
  std::string text = AnsiText(record);
  COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), text.data()};
  SendMessageTimeoutA(traceWindow.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), 0, kSendTimeoutMs,
                      nullptr);
}

bool DebugOutputWanted(bool) { return true; }

void WriteDebugOutput(std::string_view line, bool toStderr) {
  OutputDebugStringA(AnsiText(line).c_str());
  if (!toStderr) return;
  std::string text = std::string(line) + '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace quillmere
