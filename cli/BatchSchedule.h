#pragma once
// Runs the decks of a batch on a pool of workers, one deck per worker at a
// time. A deck that runs over its time limit, or whose worker dies, costs
// only that deck: the worker is ended and a fresh one takes the decks left.
// After an interrupt the running exports are asked to stop and no further
// deck is started.

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

struct BatchDeck {
  std::string deck;          // the file as the worker opens it
  std::string outputFolder;  // its own folder
};

struct DeckOutcome {
  std::int32_t status = 0;
  std::string xmlPath;  // set only on success
  std::string reason;   // why it failed, when more is known than the status says
};

struct WorkerEvent {
  enum class Kind { Finished, Ended };
  Kind kind = Kind::Finished;
  int slot = 0;
  // Finished: the export's outcome. Ended: reason says how the worker ended.
  DeckOutcome outcome;
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
  // something happens). Empty when the deadline passed or a signal came.
  virtual std::vector<WorkerEvent> Wait(std::optional<Clock::TimePoint> deadline) = 0;
};

struct BatchLimits {
  int workers = 1;
  std::chrono::seconds timeLimit{600};  // for one deck
  // For a worker with no deck left to end, which includes its renderer quitting.
  std::chrono::seconds retireLimit{30};
};

// Each deck's outcome, in deck order. finished(index, outcome) is called as
// each deck ends, and last, in deck order, for the decks never started.
std::vector<DeckOutcome> RunBatchSchedule(const std::vector<BatchDeck>& decks, const BatchLimits& limits,
                                          WorkerPool& pool, const Clock& clock, const std::atomic<bool>& interrupted,
                                          const std::function<void(std::size_t, const DeckOutcome&)>& finished);

// 0 when every deck gave 0; ERR_USER_CANCEL after an interrupt; otherwise
// the status of the first deck, in the order given, that did not give 0.
int BatchExitCode(const std::vector<DeckOutcome>& outcomes, bool interrupted);

}  // namespace quillmere::cli
