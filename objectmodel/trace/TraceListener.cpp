#include "objectmodel/trace/TraceListener.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "objectmodel/trace/TraceSocket.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

constexpr int kPollMs = 100;  // how soon stop is noticed
constexpr std::size_t kLargestRecord = 256 * 1024;

bool SomeoneListens(const sockaddr_un& address) {
  int probe = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return false;
  bool listening = connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(probe);
  return listening;
}

}  // namespace

std::optional<TraceListener> TraceListener::Open(std::ostream& err) {
  std::string path = TraceSocketPath();
  sockaddr_un address;
  if (!TraceSocketAddress(path, address)) {
    err << "The trace socket path is too long: " << path << '\n';
    return std::nullopt;
  }
  if (SomeoneListens(address)) {
    err << "Another trace viewer is listening on " << path << '\n';
    return std::nullopt;
  }
  // The fallback folder is private to the user, as the runtime folder is.
  mkdir(StripTrailingSeparator(GetParentFolder(path)).c_str(), 0700);
  unlink(path.c_str());
  int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s < 0 || bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    err << "Cannot listen on " << path << ": " << std::strerror(errno) << '\n';
    if (s >= 0) close(s);
    return std::nullopt;
  }
  return TraceListener(s, std::move(path));
}

TraceListener::TraceListener(TraceListener&& other) noexcept
    : socket_(other.socket_), path_(std::move(other.path_)) {
  other.socket_ = -1;
}

TraceListener::~TraceListener() {
  if (socket_ < 0) return;
  close(socket_);
  unlink(path_.c_str());
}

void TraceListener::Run(std::ostream& out, const std::atomic<bool>& stop) {
  std::vector<char> record(kLargestRecord);
  for (;;) {
    pollfd waiting{socket_, POLLIN, 0};
    if (poll(&waiting, 1, kPollMs) > 0) {
      ssize_t size;
      while ((size = recv(socket_, record.data(), record.size(), MSG_DONTWAIT)) >= 0) {
        out.write(record.data(), size) << '\n';
        out.flush();
      }
    }
    if (stop.load()) return;
  }
}

}  // namespace quillmere
