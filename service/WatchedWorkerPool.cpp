#include "service/WatchedWorkerPool.h"

namespace quillmere::service {

bool WatchedWorkerPool::Start(int slot, std::string& why) {
  if (!pool_.Start(slot, why)) return false;
  const auto index = static_cast<std::size_t>(slot);
  if (everStarted_[index]) ++restarts_;
  everStarted_[index] = running_[index] = 1;
  ++up_;
  return true;
}

void WatchedWorkerPool::Kill(int slot) {
  pool_.Kill(slot);
  Ended(slot);
}

std::vector<cli::WorkerEvent> WatchedWorkerPool::Wait(std::optional<cli::Clock::TimePoint> deadline) {
  std::vector<cli::WorkerEvent> events = pool_.Wait(deadline);
  for (const cli::WorkerEvent& event : events)
    if (event.kind == cli::WorkerEvent::Kind::Ended) Ended(event.slot);
  return events;
}

void WatchedWorkerPool::Ended(int slot) {
  if (slot < 0 || slot >= std::ssize(running_)) return;
  char& running = running_[static_cast<std::size_t>(slot)];
  if (running) --up_;
  running = 0;
}

}  // namespace quillmere::service
