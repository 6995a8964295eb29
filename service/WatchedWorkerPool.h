#pragma once
// A worker pool that also says, to other threads, how many workers are up
// and how often a slot had to get a fresh one.

#include <atomic>
#include <cstdint>
#include <vector>

#include "cli/BatchSchedule.h"

namespace quillmere::service {

class WatchedWorkerPool final : public cli::WorkerPool {
 public:
  WatchedWorkerPool(cli::WorkerPool& pool, int slots) : pool_(pool), everStarted_(static_cast<std::size_t>(slots)) {}

  bool Start(int slot, std::string& why) override;
  void Assign(int slot, const cli::BatchDeck& deck) override { pool_.Assign(slot, deck); }
  void Cancel(int slot) override { pool_.Cancel(slot); }
  void Retire(int slot) override { pool_.Retire(slot); }
  void Kill(int slot) override;
  std::vector<cli::WorkerEvent> Wait(std::optional<cli::Clock::TimePoint> deadline) override;

  int WorkersUp() const { return up_; }
  std::int64_t Restarts() const { return restarts_; }

 private:
  void Ended(int slot);

  cli::WorkerPool& pool_;
  std::vector<char> everStarted_;  // per slot; only the scheduling thread touches it
  std::vector<char> running_ = std::vector<char>(everStarted_.size());
  std::atomic<int> up_{0};
  std::atomic<std::int64_t> restarts_{0};
};

}  // namespace quillmere::service
