#pragma once
// Batch workers as child processes. Each worker reads its decks on stdin and
// answers on stdout (cli/BatchProtocol.h); what it prints on stderr is passed
// on line by line. A worker runs in a process group of its own, so that a
// terminal's Ctrl-C reaches only the batch, which passes it on, and so that
// killing the group ends the worker with what it started.

#include <sys/types.h>

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/BatchSchedule.h"

namespace quillmere::cli {

struct WorkerOutput {
  std::function<void(std::string_view line)> stderrLine;  // a line a worker printed on stderr
  std::function<void(std::string_view text)> notice;       // a worker's notice for the user
};

class ProcessWorkerPool final : public WorkerPool {
 public:
  // argv[0] is the program to run. Writing to a worker that has died must
  // not end the batch, so SIGPIPE is ignored from here on.
  ProcessWorkerPool(std::vector<std::string> argv, int slots, const Clock& clock,
                    const std::atomic<bool>& interrupted, WorkerOutput output);
  // Kills any worker still running.
  ~ProcessWorkerPool() override;
  ProcessWorkerPool(const ProcessWorkerPool&) = delete;
  ProcessWorkerPool& operator=(const ProcessWorkerPool&) = delete;

  bool Start(int slot, std::string& why) override;
  void Assign(int slot, const BatchDeck& deck) override;
  void Cancel(int slot) override;
  void Retire(int slot) override;
  void Kill(int slot) override;
  // Returns at once, the first time, when interrupted is set; an interrupt
  // that comes just before the wait is not missed either.
  std::vector<WorkerEvent> Wait(std::optional<Clock::TimePoint> deadline) override;

  // A descriptor (an eventfd) that other threads write to end a Wait early;
  // Wait reads what was written. -1: none.
  void WakeOn(int fd) { wake_ = fd; }

  // The worker's process id, or 0 when the slot is empty.
  pid_t ProcessId(int slot) const;

 private:
  struct Worker {
    pid_t pid = 0;
    int input = -1;   // our end of its stdin
    int output = -1;  // our end of its stdout
    int errors = -1;  // our end of its stderr
    int ended = -1;   // a pidfd, readable once it has ended
    std::string outputText, errorText;  // what arrived after the last full line
  };

  void ReadOutput(int slot, std::vector<WorkerEvent>& events);
  void ReadErrors(Worker& worker);
  void TakeOutputLine(int slot, std::string_view line, std::vector<WorkerEvent>& events);
  // Reads what is left, reaps the worker and empties the slot; how it ended.
  std::string Reap(int slot, std::vector<WorkerEvent>& events);

  std::vector<std::string> argv_;
  const Clock& clock_;
  const std::atomic<bool>& interrupted_;
  bool interruptTold_ = false;
  int wake_ = -1;
  WorkerOutput output_;
  std::vector<Worker> workers_;
};

}  // namespace quillmere::cli
