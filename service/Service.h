#pragma once
// `quillmere serve` put together: the exports, the workers that run them on
// a thread of their own, the removal of old results and the HTTP server.

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "cli/BatchSchedule.h"
#include "service/ServeOptions.h"

namespace quillmere::service {

struct ServiceSetup {
  ServeOptions options;  // workers and dataFolder already decided
  std::vector<std::string> workerCommand;
  cli::ExportSettings defaults;  // for what a post leaves out
  std::string token;             // empty: none needed
  const cli::Clock& clock;
  // A worker's line on stderr or its notice: the service's log.
  std::function<void(std::string_view)> log;
};

class Service {
 public:
  explicit Service(ServiceSetup setup);
  ~Service();
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  // Takes the address and port; false, with why, when it cannot.
  bool Bind(std::string& why);
  int Port() const { return port_; }
  // Serves until Stop: the running exports are then cancelled, the waiting
  // ones end as not started, the workers end, and Run returns.
  void Run();
  // Safe from any thread, though not from a signal handler.
  void Stop();

 private:
  struct Parts;
  void Schedule();
  void RemoveOldResults();

  ServiceSetup setup_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> listening_{true};  // until the server's listening ends
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable stopped_;
  std::unique_ptr<Parts> parts_;
};

}  // namespace quillmere::service
