#pragma once
// Fuzz inputs never wait: a busy retry would only slow the run down, and a
// wait that never ends must show as the input's own hang.

#include "support/platform/Sleeper.h"

namespace quillmere::fuzz {

class NoWaitSleeper final : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds) override {}
};

}  // namespace quillmere::fuzz
