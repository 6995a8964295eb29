#pragma once
// Runs decks on a pool of workers, one deck per worker at a time: the decks
// of a batch, or those a service receives while it runs. A deck that runs
// over its time limit, or whose worker dies, costs only that deck: the worker
// is ended and a fresh one takes the decks left. After an interrupt the
// running exports are asked to stop and no further deck is started.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmere::cli {

// Every time limit is measured on this, so that tests need not wait for one.
class Clock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() const = 0;
};

const Clock& SteadyClock();

// How one deck is exported; a worker keeps its engine while these stay the same.
struct ExportSettings {
  std::string slides;      // "1|4|7"; empty: the whole presentation
  int version = 0;         // the PowerPoint version the engine answers as; 0: its own
  bool images = true;      // slide and shape images drawn
  bool thumbnails = false; // thumbnails.xml and its images too, in the folder "thumbnails"
};

struct BatchDeck {
  std::string deck;          // the file as the worker opens it
  std::string outputFolder;  // its own folder
  ExportSettings settings = {};
};

struct DeckOutcome {
  std::int32_t status = 0;
  std::string xmlPath;  // set only on success
  std::string reason;   // why it failed, when more is known than the status says
};

struct ExportProgress {
  std::int32_t done = 0;
  std::int32_t total = 0;
};

struct WorkerEvent {
  enum class Kind { Finished, Ended, Progress };
  Kind kind = Kind::Finished;
  int slot = 0;
  // Finished: the export's outcome. Ended: reason says how the worker ended.
  DeckOutcome outcome;
  ExportProgress progress = {};  // Progress: how far the running export is
};

// The workers, as processes in the tool and as fakes in tests. Slots are
// numbered from 0; a slot holds at most one worker at a time.
class WorkerPool {
 public:
  virtual ~WorkerPool() = default;
  // A fresh worker in an empty slot; false, with why, when none can start.
  virtual bool Start(int slot, std::string& why) = 0;
  virtual void Assign(int slot, const BatchDeck& deck) = 0;
  // Asks the worker's export to stop at its next abort check.
  virtual void Cancel(int slot) = 0;
  // No more decks: the worker ends when it is done; its end is reported.
  virtual void Retire(int slot) = 0;
  // Ends the worker and what it started at once; its end is not reported.
  virtual void Kill(int slot) = 0;
  // What happened, waiting at most until the deadline (none: until
  // something happens). Empty when the deadline passed, a signal came or
  // the pool was woken from elsewhere.
  virtual std::vector<WorkerEvent> Wait(std::optional<Clock::TimePoint> deadline) = 0;
};

struct BatchLimits {
  int workers = 1;
  std::chrono::seconds timeLimit{600};  // for one deck
  // For a worker with no deck left to end, which includes its renderer quitting.
  std::chrono::seconds retireLimit{30};
};

struct ScheduledDeck {
  std::size_t id = 0;  // the source's own name for it
  BatchDeck deck;
};

// Where a schedule's decks come from and where their outcomes go.
class DeckSource {
 public:
  virtual ~DeckSource() = default;
  // Whether a deck is waiting now.
  virtual bool Waiting() const = 0;
  // The next deck to start; none when none is waiting (any more).
  virtual std::optional<ScheduledDeck> Next() = 0;
  // No deck will ever come again: idle workers end, and so does the schedule.
  virtual bool Exhausted() const = 0;
  // Workers start before a deck needs one, so that the first deck does not wait for them.
  virtual bool KeepWorkersReady() const { return false; }
  // Running decks to stop at once; their outcome is a cancel.
  virtual std::vector<std::size_t> TakeWithdrawn() { return {}; }
  virtual void Progress(std::size_t /*id*/, const ExportProgress& /*progress*/) {}
  virtual void Finished(std::size_t id, const DeckOutcome& outcome) = 0;
};

// Runs the source's decks until it is exhausted or an interrupt came and
// every worker has ended. The decks never started then finish too, with a
// cancel (after an interrupt) or the reason no worker could be started.
void RunSchedule(DeckSource& source, const BatchLimits& limits, WorkerPool& pool, const Clock& clock,
                 const std::atomic<bool>& interrupted);

// Each deck's outcome, in deck order. finished(index, outcome) is called as
// each deck ends, and last, in deck order, for the decks never started.
std::vector<DeckOutcome> RunBatchSchedule(const std::vector<BatchDeck>& decks, const BatchLimits& limits,
                                          WorkerPool& pool, const Clock& clock, const std::atomic<bool>& interrupted,
                                          const std::function<void(std::size_t, const DeckOutcome&)>& finished);

// 0 when every deck gave 0; ERR_USER_CANCEL after an interrupt; otherwise
// the status of the first deck, in the order given, that did not give 0.
int BatchExitCode(const std::vector<DeckOutcome>& outcomes, bool interrupted);

}  // namespace quillmere::cli
