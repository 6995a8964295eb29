#pragma once
// Every wait of the library goes through a Sleeper so that tests can count the
// waits instead of waiting.

#include <chrono>
#include <memory>

namespace quillmere {

class Sleeper {
 public:
  virtual ~Sleeper() = default;
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

std::shared_ptr<Sleeper> MakeRealSleeper();

}  // namespace quillmere
