// The batch's scheduling on a fake pool and a fake clock: each deck says how
// its export behaves, and time passes only when every worker is waiting, by
// jumping to the next deadline. Nothing here waits for real time.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <stdexcept>
#include <utility>

#include "cli/BatchSchedule.h"

namespace quillmere::cli {
namespace {

using namespace std::chrono_literals;

class FakeClock final : public Clock {
 public:
  TimePoint Now() const override { return now; }
  TimePoint now{};
};

constexpr const char* kCrash = "its worker ended by signal 11 (Segmentation fault)";

// How the export of a deck goes; any deck not named ends with status 0.
enum class Behaviour { Hang, Crash, AnswerThenCrash, Interrupt };

class FakePool final : public WorkerPool {
 public:
  FakePool(FakeClock& clock, std::atomic<bool>& interrupted) : clock_(clock), interrupted_(interrupted) {}

  std::map<std::string, std::int32_t> statuses;
  std::map<std::string, Behaviour> behaviours;
  bool startsFail = false;
  bool endsWhenRetired = true;

  int starts = 0;
  std::vector<int> cancelled, killed;

  bool Start(int, std::string& why) override {
    ++starts;
    if (startsFail) why = "out of processes";
    return !startsFail;
  }
  void Assign(int slot, const BatchDeck& deck) override {
    auto behaviour = behaviours.find(deck.deck);
    if (behaviour == behaviours.end()) {
      const std::int32_t status = statuses.contains(deck.deck) ? statuses[deck.deck] : 0;
      events_.push_back({WorkerEvent::Kind::Progress, slot, {}, {1, 2}});
      events_.push_back({WorkerEvent::Kind::Finished, slot, {status, deck.outputFolder + "/presentationinfo.xml", ""}});
    } else if (behaviour->second == Behaviour::Crash) {
      events_.push_back({WorkerEvent::Kind::Ended, slot, {0, "", kCrash}});
    } else if (behaviour->second == Behaviour::AnswerThenCrash) {
      events_.push_back({WorkerEvent::Kind::Finished, slot, {0, deck.outputFolder + "/presentationinfo.xml", ""}});
      events_.push_back({WorkerEvent::Kind::Ended, slot, {0, "", kCrash}});
    } else if (behaviour->second == Behaviour::Interrupt) {
      interrupted_ = true;  // Ctrl-C while this deck is exported; it stops once cancelled
    }
  }
  void Cancel(int slot) override {
    cancelled.push_back(slot);
    events_.push_back({WorkerEvent::Kind::Finished, slot, {7, "", ""}});
  }
  void Retire(int slot) override {
    if (endsWhenRetired) events_.push_back({WorkerEvent::Kind::Ended, slot, {}});
  }
  void Kill(int slot) override {
    killed.push_back(slot);
    std::erase_if(events_, [slot](const WorkerEvent& e) { return e.slot == slot; });
  }
  std::vector<WorkerEvent> Wait(std::optional<Clock::TimePoint> deadline) override {
    if (events_.empty()) {
      if (!deadline) throw std::logic_error("waits for ever: nothing can happen");
      clock_.now = std::max(clock_.now, *deadline);
      return {};
    }
    std::vector<WorkerEvent> events(events_.begin(), events_.end());
    events_.clear();
    return events;
  }

 private:
  FakeClock& clock_;
  std::atomic<bool>& interrupted_;
  std::deque<WorkerEvent> events_;
};

class BatchSchedule : public ::testing::Test {
 protected:
  std::vector<DeckOutcome> Run(const std::vector<std::string>& names, int workers) {
    std::vector<BatchDeck> decks;
    for (const std::string& name : names) decks.push_back({name, "out/" + name});
    const BatchLimits limits{workers, 600s, 30s};
    return RunBatchSchedule(decks, limits, pool_, clock_, interrupted_,
                            [&](std::size_t deck, const DeckOutcome&) { finishOrder_.push_back(names[deck]); });
  }

  static std::vector<std::int32_t> Statuses(const std::vector<DeckOutcome>& outcomes) {
    std::vector<std::int32_t> statuses;
    for (const DeckOutcome& outcome : outcomes) statuses.push_back(outcome.status);
    return statuses;
  }

  FakeClock clock_;
  std::atomic<bool> interrupted_{false};
  FakePool pool_{clock_, interrupted_};
  std::vector<std::string> finishOrder_;
};

TEST_F(BatchSchedule, EveryDeckRunsOnceAndTheExitCodeIsTheFirstFailureInDeckOrder) {
  pool_.statuses = {{"b", 11}, {"d", 4}};
  const std::vector<DeckOutcome> outcomes = Run({"a", "b", "c", "d", "e"}, 2);

  ASSERT_EQ(Statuses(outcomes), (std::vector<std::int32_t>{0, 11, 0, 4, 0}));
  EXPECT_EQ(outcomes[0].xmlPath, "out/a/presentationinfo.xml");
  EXPECT_EQ(outcomes[1].xmlPath, "") << "a failed export offers no description";
  EXPECT_EQ(finishOrder_.size(), 5u);
  EXPECT_EQ(pool_.starts, 2);
  EXPECT_TRUE(pool_.killed.empty());
  EXPECT_EQ(BatchExitCode(outcomes, false), 11);
  EXPECT_EQ(BatchExitCode(outcomes, true), 7);
  EXPECT_EQ(BatchExitCode({{0, "x", ""}, {0, "y", ""}}, false), 0);
  EXPECT_EQ(clock_.now, Clock::TimePoint{}) << "no time had to pass";
}

TEST_F(BatchSchedule, DeckOverItsTimeLimitIsStoppedAndAFreshWorkerTakesTheRest) {
  pool_.behaviours = {{"stuck", Behaviour::Hang}};
  pool_.endsWhenRetired = false;  // and its last worker will not end either
  const std::vector<DeckOutcome> outcomes = Run({"a", "stuck", "b", "c"}, 1);

  EXPECT_EQ(Statuses(outcomes), (std::vector<std::int32_t>{0, 5, 0, 0}));
  EXPECT_EQ(outcomes[1].reason, "it ran over the time limit of 600 s");
  EXPECT_EQ(pool_.starts, 2);
  EXPECT_EQ(pool_.killed, (std::vector<int>{0, 0})) << "the stuck deck's worker, then the one that would not end";
  EXPECT_EQ(clock_.now - Clock::TimePoint{}, 630s);
}

TEST_F(BatchSchedule, WorkerThatDiesCostsOnlyItsDeck) {
  // The second dies after its answer arrived: that costs no deck at all.
  pool_.behaviours = {{"bad", Behaviour::Crash}, {"last-words", Behaviour::AnswerThenCrash}};
  const std::vector<DeckOutcome> outcomes = Run({"a", "bad", "b", "last-words", "c", "d"}, 2);

  EXPECT_EQ(Statuses(outcomes), (std::vector<std::int32_t>{0, 5, 0, 0, 0, 0}));
  EXPECT_EQ(outcomes[1].reason, kCrash);
  EXPECT_EQ(pool_.starts, 4);
  EXPECT_EQ(BatchExitCode(outcomes, false), 5);
}

TEST_F(BatchSchedule, InterruptCancelsRunningExportsAndStartsNoOtherDeck) {
  pool_.behaviours = {{"b", Behaviour::Interrupt}};
  const std::vector<DeckOutcome> outcomes = Run({"a", "b", "c", "d"}, 2);

  // Both were busy when the interrupt came; a's answer was on its way and counts.
  EXPECT_EQ(pool_.cancelled, (std::vector<int>{0, 1}));
  EXPECT_EQ(Statuses(outcomes), (std::vector<std::int32_t>{0, 7, 7, 7}));
  EXPECT_EQ(outcomes[2].reason, "not started");
  EXPECT_EQ(outcomes[3].reason, "not started");
  EXPECT_EQ(finishOrder_, (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(BatchExitCode(outcomes, interrupted_), 7);

  // An interrupt before the start starts nothing.
  pool_.starts = 0;
  const std::vector<DeckOutcome> none = Run({"e", "f"}, 2);
  EXPECT_EQ(pool_.starts, 0);
  EXPECT_EQ(Statuses(none), (std::vector<std::int32_t>{7, 7}));
}

TEST_F(BatchSchedule, WithoutAnyWorkerEveryDeckFailsAndSaysWhy) {
  pool_.startsFail = true;
  const std::vector<DeckOutcome> outcomes = Run({"a", "b"}, 3);
  for (const DeckOutcome& outcome : outcomes) {
    EXPECT_EQ(outcome.status, 5);
    EXPECT_EQ(outcome.reason, "no worker could be started: out of processes");
  }
  EXPECT_EQ(pool_.starts, 2) << "one slot per deck, tried once";
}

// Decks that arrive while the schedule runs, as a service's do.
class ArrivingDecks final : public DeckSource {
 public:
  std::deque<ScheduledDeck> waiting;
  std::vector<std::size_t> withdraw;
  std::map<std::size_t, DeckOutcome> outcomes;
  std::map<std::size_t, ExportProgress> progress;
  std::size_t expected = 0;

  bool Waiting() const override { return !waiting.empty(); }
  std::optional<ScheduledDeck> Next() override {
    if (waiting.empty()) return std::nullopt;
    ScheduledDeck next = waiting.front();
    waiting.pop_front();
    return next;
  }
  bool Exhausted() const override { return outcomes.size() == expected; }
  bool KeepWorkersReady() const override { return true; }
  std::vector<std::size_t> TakeWithdrawn() override { return std::exchange(withdraw, {}); }
  void Progress(std::size_t id, const ExportProgress& p) override { progress[id] = p; }
  void Finished(std::size_t id, const DeckOutcome& outcome) override { outcomes[id] = outcome; }
};

TEST_F(BatchSchedule, ArrivingDecksFindWorkersReadyAndAWithdrawnOneCostsOnlyItsWorker) {
  pool_.behaviours = {{"stuck", Behaviour::Hang}};
  ArrivingDecks source;
  source.waiting = {{7, {"stuck", "out/stuck"}}, {8, {"a", "out/a"}}};
  source.withdraw = {7};
  source.expected = 2;
  RunSchedule(source, {3, 600s, 30s}, pool_, clock_, interrupted_);

  EXPECT_EQ(pool_.starts, 3) << "the third worker started with no deck for it";
  EXPECT_EQ(pool_.killed, (std::vector<int>{0}));
  EXPECT_EQ(source.outcomes[7].status, 7);
  EXPECT_EQ(source.outcomes[7].reason, "withdrawn");
  EXPECT_EQ(source.outcomes[8].status, 0);
  EXPECT_EQ(source.progress[8].done, 1);
  EXPECT_EQ(source.progress[8].total, 2);
  EXPECT_EQ(clock_.now, Clock::TimePoint{}) << "the withdrawn deck waited for no time limit";
}

}  // namespace
}  // namespace quillmere::cli
