#pragma once
// The switches of `quillmere serve`.

#include <chrono>
#include <cstdint>
#include <string>

namespace quillmere::service {

struct ServeOptions {
  std::string host = "127.0.0.1";
  int port = 8080;                    // 0: any free port, which the service prints
  int workers = 0;                    // 0: one per core
  std::size_t queue = 100;            // exports waiting for a worker, beyond which posts get 429
  std::chrono::seconds timeLimit{600};
  std::size_t maxUploadBytes = std::size_t{200} << 20;
  std::string dataFolder;             // empty: a new temporary folder, removed at the end
  std::string tokenFile;              // empty: no token needed
  std::chrono::seconds keepResults{3600};  // after an export ends
};

}  // namespace quillmere::service
