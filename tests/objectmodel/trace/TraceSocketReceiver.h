#pragma once
// A bare datagram socket bound where Trace looks for the viewer, so that tests
// see exactly the bytes Trace sends.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <thread>

#include "objectmodel/trace/TraceSocket.h"

namespace quillmere::testing {

class TraceSocketReceiver {
 public:
  TraceSocketReceiver() : path_(TraceSocketPath()) {
    sockaddr_un address;
    EXPECT_TRUE(TraceSocketAddress(path_, address));
    socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << path_;
  }
  TraceSocketReceiver(const TraceSocketReceiver&) = delete;
  TraceSocketReceiver& operator=(const TraceSocketReceiver&) = delete;
  ~TraceSocketReceiver() {
    close(socket_);
    unlink(path_.c_str());
  }

  // The next record already sent; a local datagram is queued by the time
  // send returns, so there is nothing to wait for.
  std::optional<std::string> Next() {
    char buffer[4096];
    ssize_t size = recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
    return size < 0 ? std::nullopt : std::optional<std::string>(std::string(buffer, static_cast<std::size_t>(size)));
  }

 private:
  std::string path_;
  int socket_ = -1;
};

// The trace viewer is looked for once per thread, so each send that must find
// the current socket runs on a thread of its own.
template <class F>
void OnNewThread(F&& f) {
  std::thread(std::forward<F>(f)).join();
}

}  // namespace quillmere::testing
