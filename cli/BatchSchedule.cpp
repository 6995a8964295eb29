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
  Schedule(const std::vector<BatchDeck>& decks, const BatchLimits& limits, WorkerPool& pool, const Clock& clock,
           const std::atomic<bool>& interrupted, const std::function<void(std::size_t, const DeckOutcome&)>& finished)
      : decks_(decks), limits_(limits), pool_(pool), clock_(clock), interrupted_(interrupted), finished_(finished),
        outcomes_(decks.size()),
        slots_(static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(limits.workers, 1, std::ssize(decks)))) {}

  std::vector<DeckOutcome> Run() {
    if (interrupted_) cancelling_ = true;
    DispatchAll();
    while (std::any_of(slots_.begin(), slots_.end(), [](const Slot& s) { return s.state != State::Empty; })) {
      if (interrupted_ && !cancelling_) CancelAll();
      for (const WorkerEvent& event : pool_.Wait(EarliestDeadline())) Handle(event);
      EnforceDeadlines();
      // Only now, so that a worker whose answer and end came together gets no further deck.
      DispatchAll();
    }
    for (std::size_t deck = next_; deck < decks_.size(); ++deck) {
      if (cancelling_)
        Finish(deck, {ERR_USER_CANCEL, "", "not started"});
      else
        Finish(deck, {ERR_PRESENTATION_EXPORT_FAILURE, "", "no worker could be started: " + startFailure_});
    }
    return std::move(outcomes_);
  }

 private:
  enum class State { Empty, Idle, Busy, Retiring };
  struct Slot {
    State state = State::Empty;
    std::size_t deck = 0;
    Clock::TimePoint deadline;
    bool canStart = true;
  };

  void Finish(std::size_t deck, DeckOutcome outcome) {
    outcomes_[deck] = std::move(outcome);
    finished_(deck, outcomes_[deck]);
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
    if (cancelling_ || next_ == decks_.size()) {
      if (s.state == State::Idle) {
        pool_.Retire(slot);
        s.state = State::Retiring;
        s.deadline = clock_.Now() + limits_.retireLimit;
      }
      return;
    }
    if (s.state == State::Empty) {
      if (!s.canStart) return;
      std::string why;
      if (!pool_.Start(slot, why)) {
        // The decks left go to the other workers; with none, they fail with this reason.
        s.canStart = false;
        startFailure_ = why;
        return;
      }
    }
    s.state = State::Busy;
    s.deck = next_++;
    s.deadline = clock_.Now() + limits_.timeLimit;
    pool_.Assign(slot, decks_[s.deck]);
  }

  void Handle(const WorkerEvent& event) {
    if (event.slot < 0 || event.slot >= std::ssize(slots_)) return;
    Slot& s = slots_[static_cast<std::size_t>(event.slot)];
    const bool busy = s.state == State::Busy;
    if (event.kind == WorkerEvent::Kind::Finished) {
      if (!busy) return;
      s.state = State::Idle;
      DeckOutcome outcome = event.outcome;
      // Only a finished export has a description to offer.
      if (outcome.status != ERR_SUCCESS) outcome.xmlPath.clear();
      Finish(s.deck, std::move(outcome));
    } else {
      s.state = State::Empty;
      if (busy) Finish(s.deck, {ERR_PRESENTATION_EXPORT_FAILURE, "", event.outcome.reason});
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
      Finish(s.deck, {ERR_PRESENTATION_EXPORT_FAILURE, "",
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

  const std::vector<BatchDeck>& decks_;
  const BatchLimits& limits_;
  WorkerPool& pool_;
  const Clock& clock_;
  const std::atomic<bool>& interrupted_;
  const std::function<void(std::size_t, const DeckOutcome&)>& finished_;
  std::vector<DeckOutcome> outcomes_;
  std::vector<Slot> slots_;
  std::size_t next_ = 0;
  bool cancelling_ = false;
  std::string startFailure_;
};

}  // namespace

const Clock& SteadyClock() {
  static const RealClock clock;
  return clock;
}

std::vector<DeckOutcome> RunBatchSchedule(const std::vector<BatchDeck>& decks, const BatchLimits& limits,
                                          WorkerPool& pool, const Clock& clock, const std::atomic<bool>& interrupted,
                                          const std::function<void(std::size_t, const DeckOutcome&)>& finished) {
  if (decks.empty()) return {};
  return Schedule(decks, limits, pool, clock, interrupted, finished).Run();
}

int BatchExitCode(const std::vector<DeckOutcome>& outcomes, bool interrupted) {
  if (interrupted) return ERR_USER_CANCEL;
  for (const DeckOutcome& outcome : outcomes)
    if (outcome.status != ERR_SUCCESS) return outcome.status;
  return ERR_SUCCESS;
}

}  // namespace quillmere::cli
