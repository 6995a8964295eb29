#pragma once
// The receiving end of the trace socket, used by the trace viewer.

#include <atomic>
#include <optional>
#include <ostream>
#include <string>

namespace quillmere {

class TraceListener {
 public:
  // Binds the trace socket, replacing a stale socket file; nullopt with a
  // message on err when it cannot listen or another viewer is listening.
  static std::optional<TraceListener> Open(std::ostream& err);

  TraceListener(TraceListener&& other) noexcept;
  TraceListener& operator=(TraceListener&&) = delete;
  // Closes the socket and removes its file.
  ~TraceListener();

  // Prints each record as one line until stop is set; records already waiting
  // when stop is seen are printed first.
  void Run(std::ostream& out, const std::atomic<bool>& stop);

 private:
  TraceListener(int socket, std::string path) : socket_(socket), path_(std::move(path)) {}
  int socket_;
  std::string path_;
};

}  // namespace quillmere
