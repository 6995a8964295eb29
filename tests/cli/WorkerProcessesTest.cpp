// The batch's worker processes, with a shell script standing in for the
// tool's worker: it answers at once, stops itself (a deck that hangs) or
// kills itself (a worker that crashes). The clock is the test's own and
// jumps past the time limit only once every other deck has ended, so the
// hang is found without waiting and without depending on how fast the
// machine is.

#include <gtest/gtest.h>
#include <signal.h>

#include "cli/BatchSchedule.h"
#include "cli/WorkerProcesses.h"

namespace quillmere::cli {
namespace {

using namespace std::chrono_literals;

constexpr const char* kFakeWorker = R"(
while IFS='	' read -r job deck out settings; do
  case "$deck" in
    hang*) kill -STOP $$ ;;
    crash*) kill -KILL $$ ;;
    loud*)
      echo "a line on stderr" >&2
      printf 'notice\tno office\n'
      printf 'done\t0\t%s/presentationinfo.xml\t\n' "$out" ;;
    *) printf 'done\t4\t\tthe file does not exist\n' ;;
  esac
done
)";

class TestClock final : public Clock {
 public:
  TimePoint Now() const override { return now; }
  TimePoint now = std::chrono::steady_clock::now();
};

TEST(WorkerProcesses, HangingAndCrashingWorkersCostOnlyTheirDecks) {
  TestClock clock;
  std::vector<std::string> lines, notices;
  std::atomic<bool> interrupted{false};
  ProcessWorkerPool pool({"/bin/sh", "-c", kFakeWorker}, 2, clock, interrupted,
                         {[&](std::string_view line) { lines.emplace_back(line); },
                          [&](std::string_view text) { notices.emplace_back(text); }});
  const std::vector<BatchDeck> decks = {
      {"loud-1", "/out/1"}, {"hang", "/out/2"}, {"crash", "/out/3"}, {"loud-4", "/out/4"}, {"missing", "/out/5"}};
  std::size_t ended = 0;
  const std::vector<DeckOutcome> outcomes =
      RunBatchSchedule(decks, {2, 600s, 30s}, pool, clock, interrupted, [&](std::size_t, const DeckOutcome&) {
        // Everything but the hanging deck is done: its time is up.
        if (++ended == decks.size() - 1) clock.now += 601s;
      });

  EXPECT_EQ(outcomes[0].status, 0);
  EXPECT_EQ(outcomes[0].xmlPath, "/out/1/presentationinfo.xml");
  EXPECT_EQ(outcomes[1].status, 5);
  EXPECT_EQ(outcomes[1].reason, "it ran over the time limit of 600 s");
  EXPECT_EQ(outcomes[2].status, 5);
  EXPECT_EQ(outcomes[2].reason, "its worker ended by signal 9 (Killed)");
  EXPECT_EQ(outcomes[3].status, 0) << "a fresh worker took the decks after the crash";
  EXPECT_EQ(outcomes[4].status, 4);
  EXPECT_EQ(outcomes[4].reason, "the file does not exist");
  EXPECT_EQ(lines, (std::vector<std::string>{"a line on stderr", "a line on stderr"}));
  EXPECT_EQ(notices, (std::vector<std::string>{"no office", "no office"}));
  for (int slot = 0; slot < 2; ++slot) EXPECT_EQ(pool.ProcessId(slot), 0) << "every worker was reaped";
}

}  // namespace
}  // namespace quillmere::cli
