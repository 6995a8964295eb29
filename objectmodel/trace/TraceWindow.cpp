#include "objectmodel/trace/TraceWindow.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>

#include "objectmodel/trace/TraceSocket.h"

namespace quillmere {
namespace {

constexpr int kSendTimeoutSeconds = 5;

// This thread's connection to the viewer, looked for once.
struct TraceWindow {
  int socket = -1;
  bool searched = false;
  ~TraceWindow() {
    if (socket >= 0) close(socket);
  }
};
thread_local TraceWindow traceWindow;

void FindTraceWindow() {
  traceWindow.socket = -1;
  sockaddr_un address;
  if (!TraceSocketAddress(TraceSocketPath(), address)) return;
  int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s < 0) return;
  timeval timeout{kSendTimeoutSeconds, 0};
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(s);
    return;
  }
  traceWindow.socket = s;
}

}  // namespace

bool TraceWindowAvailable() {
  if (!traceWindow.searched) {
    traceWindow.searched = true;
    FindTraceWindow();
  }
  return traceWindow.socket >= 0;
}

void SendTraceRecord(const std::string& record) {
  send(traceWindow.socket, record.data(), record.size(), MSG_NOSIGNAL);
}

bool DebugOutputWanted(bool toStderr) { return toStderr; }

void WriteDebugOutput(std::string_view line, bool) {
  std::string text = std::string(line) + '\n';
  std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace quillmere
