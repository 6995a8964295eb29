#include "component/trace/Trace.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "component/automation/ComError.h"
#include "component/trace/TraceSocket.h"
#include "component/xml/NumberText.h"

namespace quillmere {
namespace {

constexpr std::string_view kRecordPrefix = "Quillmere: ";
constexpr int kSendTimeoutSeconds = 5;

std::atomic<bool> debugToStderr{false};

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

bool TraceWindowAvailable() {
  if (!traceWindow.searched) {
    traceWindow.searched = true;
    FindTraceWindow();
  }
  return traceWindow.socket >= 0;
}

// A viewer that went away makes the send fail; that is ignored.
void SendTraceText(std::initializer_list<TraceValue> values) {
  std::string record(kRecordPrefix);
  for (const TraceValue& value : values)
    for (const std::string& text : value.Texts()) record += text + '\t';
  send(traceWindow.socket, record.data(), record.size(), MSG_NOSIGNAL);
}

void WriteDebugOutput(const TraceValue& first) {
  std::string line;
  for (const std::string& text : first.Texts()) line += (line.empty() ? "" : "\t") + text;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

TraceValue::TraceValue(const Value& value) {
  try {
    texts_.push_back(value.AsString());
  } catch (const ComError&) {
    texts_.emplace_back();  // an object has no text form
  }
}

std::string TraceValue::FloatText(float number) { return FormatSingle(number); }
std::string TraceValue::DoubleText(double number) { return FormatDouble(number); }

bool TraceWanted() { return TraceWindowAvailable() || debugToStderr.load(std::memory_order_relaxed); }

void SendTrace(std::initializer_list<TraceValue> values) noexcept {
  try {
    if (TraceWindowAvailable()) SendTraceText(values);
    if (debugToStderr.load(std::memory_order_relaxed) && values.size() > 0) WriteDebugOutput(*values.begin());
  } catch (...) {
    // Tracing must not disturb the caller.
  }
}

void SetTraceDebugOutput(bool toStderr) noexcept { debugToStderr.store(toStderr, std::memory_order_relaxed); }

}  // namespace quillmere
