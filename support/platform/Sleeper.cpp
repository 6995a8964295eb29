#include "support/platform/Sleeper.h"

#include <thread>

namespace quillmere {
namespace {
class RealSleeper final : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};
}  // namespace

std::shared_ptr<Sleeper> MakeRealSleeper() { return std::make_shared<RealSleeper>(); }

}  // namespace quillmere
