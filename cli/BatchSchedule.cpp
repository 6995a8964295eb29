#include "cli/BatchSchedule.h"

#include <algorithm>

#include <fmt/format.h>

#include "component/StatusCode.h"

namespace quillmere::cli {
namespace {

class RealClock final : public Clock {
 public:
  TimePoint Now() const override { return std::chrono::steady_clock::now(); }
};

class Schedule {
 public:
  Schedule(DeckSource& source, const BatchLimits& limits, WorkerPool& pool, const Clock& clock,
           const std::atomic<bool>& interrupted)
      : source_(source), limits_(limits), pool_(pool), clock_(clock), interrupted_(interrupted),
        slots_(static_cast<std::size_t>(std::max(limits.workers, 1))) {}

  void Run() {
    if (interrupted_) cancelling_ = true;
    DispatchAll();
    while (Active()) {
      if (interrupted_ && !cancelling_) CancelAll();
      for (const WorkerEvent& event : pool_.Wait(EarliestDeadline())) Handle(event);
      for (std::size_t id : source_.TakeWithdrawn()) Withdraw(id);
      EnforceDeadlines();
      // Only now, so that a worker whose answer and end came together gets no further deck.
      DispatchAll();
    }
    while (std::optional<ScheduledDeck> left = source_.Next()) {
      if (cancelling_)
        source_.Finished(left->id, {ERR_USER_CANCEL, "", "not started"});
      else
        source_.Finished(left->id, {ERR_PRESENTATION_EXPORT_FAILURE, "", "no worker could be started: " + startFailure_});
    }
  }

 private:
  enum class State { Empty, Idle, Busy, Retiring };
  struct Slot {
    State state = State::Empty;
    std::size_t deck = 0;
    Clock::TimePoint deadline;
    bool canStart = true;
  };

  // A worker is running, or one may still start for decks to come.
  bool Active() const {
    const bool running = std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.state != State::Empty; });
    const bool startable = std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.canStart; });
    return running || (!cancelling_ && !source_.Exhausted() && startable);
  }

  void DispatchAll() {
    for (int slot = 0; slot < std::ssize(slots_); ++slot) {
      const State state = slots_[static_cast<std::size_t>(slot)].state;
      if (state == State::Idle || state == State::Empty) Dispatch(slot);
    }
  }

  // Gives the slot its next deck, starting a worker when it has none, or
  // retires its worker when nothing is left to do.
  void Dispatch(int slot) {
    if (interrupted_ && !cancelling_) CancelAll();
    Slot& s = slots_[static_cast<std::size_t>(slot)];
    if (cancelling_ || source_.Exhausted()) {
      if (s.state == State::Idle) {
        pool_.Retire(slot);
        s.state = State::Retiring;
        s.deadline = clock_.Now() + limits_.retireLimit;
      }
      return;
    }
    const bool startReady = s.state == State::Empty && source_.KeepWorkersReady();
    if (!source_.Waiting() && !startReady) return;
    if (s.state == State::Empty) {
      if (!s.canStart) return;
      std::string why;
      if (!pool_.Start(slot, why)) {
        // The decks left go to the other workers; with none, they fail with this reason.
        s.canStart = false;
        startFailure_ = why;
        return;
      }
      s.state = State::Idle;
    }
    std::optional<ScheduledDeck> next = source_.Next();
    if (!next) return;
    s.state = State::Busy;
    s.deck = next->id;
    s.deadline = clock_.Now() + limits_.timeLimit;
    pool_.Assign(slot, next->deck);
  }

  void Handle(const WorkerEvent& event) {
    if (event.slot < 0 || event.slot >= std::ssize(slots_)) return;
    Slot& s = slots_[static_cast<std::size_t>(event.slot)];
    const bool busy = s.state == State::Busy;
    if (event.kind == WorkerEvent::Kind::Progress) {
      if (busy) source_.Progress(s.deck, event.progress);
    } else if (event.kind == WorkerEvent::Kind::Finished) {
      if (!busy) return;
      s.state = State::Idle;
      DeckOutcome outcome = event.outcome;
      // Only a finished export has a description to offer.
      if (outcome.status != ERR_SUCCESS) outcome.xmlPath.clear();
      source_.Finished(s.deck, outcome);
    } else {
      s.state = State::Empty;
      if (busy) source_.Finished(s.deck, {ERR_PRESENTATION_EXPORT_FAILURE, "", event.outcome.reason});
    }
  }

  // A deck its source no longer wants: its worker is ended, which stops it at once.
  void Withdraw(std::size_t id) {
    for (int slot = 0; slot < std::ssize(slots_); ++slot) {
      Slot& s = slots_[static_cast<std::size_t>(slot)];
      if (s.state != State::Busy || s.deck != id) continue;
      pool_.Kill(slot);
      s.state = State::Empty;
      source_.Finished(id, {ERR_USER_CANCEL, "", "withdrawn"});
    }
  }

  void EnforceDeadlines() {
    const Clock::TimePoint now = clock_.Now();
    for (int slot = 0; slot < std::ssize(slots_); ++slot) {
      Slot& s = slots_[static_cast<std::size_t>(slot)];
      if ((s.state != State::Busy && s.state != State::Retiring) || s.deadline > now) continue;
      pool_.Kill(slot);
      const bool busy = s.state == State::Busy;
      s.state = State::Empty;
      if (!busy) continue;
      source_.Finished(s.deck, {ERR_PRESENTATION_EXPORT_FAILURE, "",
                                fmt::format("it ran over the time limit of {} s", limits_.timeLimit.count())});
    }
  }

  void CancelAll() {
    cancelling_ = true;
    for (int slot = 0; slot < std::ssize(slots_); ++slot)
      if (slots_[static_cast<std::size_t>(slot)].state == State::Busy) pool_.Cancel(slot);
  }

  std::optional<Clock::TimePoint> EarliestDeadline() const {
    std::optional<Clock::TimePoint> earliest;
    for (const Slot& s : slots_)
      if ((s.state == State::Busy || s.state == State::Retiring) && (!earliest || s.deadline < *earliest))
        earliest = s.deadline;
    return earliest;
  }

  DeckSource& source_;
  const BatchLimits& limits_;
  WorkerPool& pool_;
  const Clock& clock_;
  const std::atomic<bool>& interrupted_;
  std::vector<Slot> slots_;
  bool cancelling_ = false;
  std::string startFailure_;
};

// A batch: its decks in the order given, each started once.
class DeckList final : public DeckSource {
 public:
  DeckList(const std::vector<BatchDeck>& decks, const std::function<void(std::size_t, const DeckOutcome&)>& finished)
      : decks_(decks), finished_(finished), outcomes_(decks.size()) {}

  bool Waiting() const override { return next_ < decks_.size(); }
  std::optional<ScheduledDeck> Next() override {
    if (next_ == decks_.size()) return std::nullopt;
    const std::size_t id = next_++;
    return ScheduledDeck{id, decks_[id]};
  }
  bool Exhausted() const override { return next_ == decks_.size(); }
  void Finished(std::size_t id, const DeckOutcome& outcome) override {
    outcomes_[id] = outcome;
    finished_(id, outcomes_[id]);
  }

  std::vector<DeckOutcome> TakeOutcomes() { return std::move(outcomes_); }

 private:
  const std::vector<BatchDeck>& decks_;
  const std::function<void(std::size_t, const DeckOutcome&)>& finished_;
  std::vector<DeckOutcome> outcomes_;
  std::size_t next_ = 0;
};

}  // namespace

const Clock& SteadyClock() {
  static const RealClock clock;
  return clock;
}

void RunSchedule(DeckSource& source, const BatchLimits& limits, WorkerPool& pool, const Clock& clock,
                 const std::atomic<bool>& interrupted) {
  Schedule(source, limits, pool, clock, interrupted).Run();
}

std::vector<DeckOutcome> RunBatchSchedule(const std::vector<BatchDeck>& decks, const BatchLimits& limits,
                                          WorkerPool& pool, const Clock& clock, const std::atomic<bool>& interrupted,
                                          const std::function<void(std::size_t, const DeckOutcome&)>& finished) {
  if (decks.empty()) return {};
  DeckList list(decks, finished);
  // No more workers than decks: a worker started for nothing costs its start.
  BatchLimits bounded = limits;
  bounded.workers = static_cast<int>(std::clamp<std::ptrdiff_t>(limits.workers, 1, std::ssize(decks)));
  RunSchedule(list, bounded, pool, clock, interrupted);
  return list.TakeOutcomes();
}

int BatchExitCode(const std::vector<DeckOutcome>& outcomes, bool interrupted) {
  if (interrupted) return ERR_USER_CANCEL;
  for (const DeckOutcome& outcome : outcomes)
    if (outcome.status != ERR_SUCCESS) return outcome.status;
  return ERR_SUCCESS;
}

}  // namespace quillmere::cli
