// Ctrl-C and SIGTERM. The signal is sent while the child still has it blocked,
// so it is taken as soon as the tool installs its handler: before the first
// abort check, which makes the outcome deterministic.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "tests/cli/CliHarness.h"

namespace quillmere::clitest {
namespace {

namespace fs = std::filesystem;

class CliInterrupt : public ::testing::Test {
 protected:
  ChildResult RunInterrupted(const std::vector<std::string>& args, std::vector<int> signals, bool onTerminal = false) {
    ChildOptions options;
    options.signalsAtStart = std::move(signals);
    options.stderrOnTerminal = onTerminal;
    options.timeout = std::chrono::seconds(60);
    return RunCli(sandbox_, args, options);
  }
  fs::path Out() const { return sandbox_.Root() / "out"; }

  Sandbox sandbox_;
};

void ExpectCancelled(const ChildResult& r, const fs::path& out) {
  ASSERT_EQ(r.exitCode, 7) << Describe(r) << "\nstderr:\n" << r.err;
  EXPECT_EQ(r.out, "");
  std::vector<std::string> lines = Lines(r.err);
  ASSERT_EQ(lines.size(), 1u) << r.err;
  EXPECT_NE(lines[0].find("(status 7, ERR_USER_CANCEL)"), std::string::npos) << lines[0];
  EXPECT_FALSE(fs::exists(out / "presentationinfo.xml"));
}

TEST_F(CliInterrupt, CtrlCCancelsThePresentationExportAndSigtermASelectionExport) {
  ExpectCancelled(RunInterrupted({"presentation", SampleDeck().string(), "-o", Out().string()}, {SIGINT}), Out());
  ExpectCancelled(RunInterrupted({"slides", SampleDeck().string(), "1|2", "-o", Out().string()}, {SIGTERM}), Out());
}

TEST_F(CliInterrupt, SecondSignalEndsAtOnceWithoutAStatusLine) {
  // Two different signals, because a second SIGINT would merge with the pending first.
  ChildResult r = RunInterrupted({"presentation", SampleDeck().string(), "-o", Out().string()}, {SIGINT, SIGTERM});
  EXPECT_EQ(r.exitCode, 7) << Describe(r) << "\nstderr:\n" << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(fs::exists(Out() / "presentationinfo.xml"));
}

TEST_F(CliInterrupt, StatusLineStartsOnItsOwnLineAfterTheProgressBar) {
  ChildResult r = RunInterrupted({"presentation", SampleDeck().string(), "-o", Out().string()}, {SIGINT}, true);
  ASSERT_EQ(r.exitCode, 7) << Describe(r) << "\nstderr:\n" << r.err;
  std::vector<std::string> lines = Lines(r.err);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("quillmere: ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.back(), '\n');
}

TEST_F(CliInterrupt, CtrlCStopsTheTraceViewer) {
  ChildResult r = RunInterrupted({"trace"}, {SIGINT});
  EXPECT_EQ(r.exitCode, 0) << Describe(r) << "\nstderr:\n" << r.err;
  EXPECT_EQ(r.err, "");
  // The viewer leaves no socket file behind for the next one to trip over.
  EXPECT_FALSE(fs::exists(sandbox_.Runtime() / "CorvantaDebugWindow_TRACEWIN"));
}

TEST_F(CliInterrupt, TraceViewerThatCannotListenSaysWhyAndExits69) {
  // Someone else already listens where the viewer would.
  const fs::path path = sandbox_.Runtime() / "CorvantaDebugWindow_TRACEWIN";
  int other = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(other, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.string().size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, path.c_str());
  ASSERT_EQ(bind(other, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);

  ChildResult r = RunCli(sandbox_, {"trace"}, Within(std::chrono::seconds(30)));
  close(other);
  EXPECT_EQ(r.exitCode, 69) << Describe(r);
  EXPECT_NE(r.err, "");
}

}  // namespace
}  // namespace quillmere::clitest
