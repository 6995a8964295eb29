// `quillmere batch` on small corpus decks without images: one result line
// and one folder per deck, the first failure's status as the exit code, and
// workers that get interrupted without costing other decks or leaving a
// process behind. A deck is held at a known point by the worker's
// test switch, which stalls its export until an interrupt comes.

#include <gtest/gtest.h>
#include <signal.h>

#include <map>
#include <utility>

#include "cli/BatchProtocol.h"
#include "tests/cli/CliHarness.h"
#include "tests/helpers/MissingTool.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::clitest {
namespace {

namespace fs = std::filesystem;
using cli::SplitFields;

struct ResultLine {
  int status = -1;
  std::string xml;
};

// A fuzzed package whose zip has no central directory: status 4.
constexpr const char* kTruncatedZip = "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx";

std::string Deck(const std::string& name) { return (CorpusDir() / name).string(); }

using quillmere::testing::ReadFile;

class CliBatch : public ::testing::Test {
 protected:
  fs::path Out() const { return sandbox_.Root() / "out"; }

  // The run's result lines by deck; fails the test on a malformed or repeated one.
  std::map<std::string, ResultLine> Results(const ChildResult& r) {
    std::map<std::string, ResultLine> results;
    for (const std::string& line : Lines(r.out)) {
      const std::vector<std::string> fields = SplitFields(line);
      EXPECT_EQ(fields.size(), 3u) << line;
      if (fields.size() != 3) continue;
      EXPECT_FALSE(results.contains(fields[1])) << "two lines for " << fields[1];
      results[fields[1]] = {std::stoi(fields[0]), fields[2]};
    }
    return results;
  }

  // Runs the batch with the export of stalledDeck held until an interrupt;
  // act(batch pid, worker pid) is called once the worker has stalled.
  ChildResult RunStalled(const std::vector<std::string>& args, const std::string& stalledDeck,
                         std::function<void(int batch, int worker)> act) {
    ChildOptions options;
    options.env = sandbox_.Environment();
    // Named the way the worker gets it: absolute, without "..".
    options.env.push_back("QUILLMERE_BATCH_TEST_STALL=" + fs::absolute(stalledDeck).lexically_normal().string());
    bool acted = false;
    options.onOutput = [&](int pid, const ChildResult& soFar) {
      const std::string marker = "quillmere: batch worker ";
      const std::size_t at = soFar.err.find(marker);
      if (acted || at == std::string::npos || soFar.err.find('\n', at) == std::string::npos) return;
      acted = true;
      act(pid, std::stoi(soFar.err.substr(at + marker.size())));
    };
    return RunChild(CliPath(), args, options);
  }

  Sandbox sandbox_;
};

TEST_F(CliBatch, EveryDeckGetsALineAndAFolderAndTheExitCodeIsTheFirstFailure) {
  // A deck of the same name from another folder.
  const fs::path twin = sandbox_.Root() / "other" / "pptx__minimal.pptx";
  fs::create_directories(twin.parent_path());
  fs::copy_file(Deck("pptx__minimal.pptx"), twin);
  const std::vector<std::string> decks = {Deck("pptx__minimal.pptx"),
                                          Deck("made__notes-encrypted.pptx"),
                                          Deck("pptx__txt-text.pptx"),
                                          Deck(kTruncatedZip),
                                          Deck("pptx__sld-background.pptx"),
                                          twin.string()};
  std::vector<std::string> args = {"--no-images", "batch", "-j", "2", "-o", Out().string()};
  args.insert(args.end(), decks.begin(), decks.end());
  const ChildResult r = RunCli(sandbox_, args);

  ASSERT_EQ(r.exitCode, 11) << Describe(r) << "\nstderr:\n" << r.err;
  ASSERT_EQ(Lines(r.out).size(), decks.size()) << r.out;
  std::map<std::string, ResultLine> results = Results(r);
  EXPECT_EQ(results[decks[5]].xml, (Out() / "pptx__minimal-2" / "presentationinfo.xml").string());
  EXPECT_EQ(results[decks[1]].status, 11);
  EXPECT_EQ(results[decks[1]].xml, "");
  EXPECT_EQ(results[decks[3]].status, 4);
  for (const char* ok : {"pptx__minimal", "pptx__txt-text", "pptx__sld-background", "pptx__minimal-2"})
    EXPECT_TRUE(fs::is_regular_file(Out() / ok / "presentationinfo.xml")) << ok;
  for (std::size_t deck : {2u, 4u})
    EXPECT_EQ(results[decks[deck]].xml, (Out() / fs::path(decks[deck]).stem() / "presentationinfo.xml").string());

  // Two workers report in whichever order they finish.
  std::vector<std::string> errors = Lines(r.err);
  ASSERT_EQ(errors.size(), 2u) << r.err;
  if (errors[0].find("the zip is truncated") != std::string::npos) std::swap(errors[0], errors[1]);
  EXPECT_EQ(errors[0], "quillmere: " + decks[1] +
                           ": the presentation is password protected (status 11, ERR_PASSWORD_PROTECTED_OPEN_FAILED)");
  EXPECT_NE(errors[1].find("the zip is truncated"), std::string::npos) << errors[1];
  EXPECT_TRUE(sandbox_.LiveProcesses().empty());
}

TEST_F(CliBatch, InterruptStopsEveryWorkerAndEndsWith7) {
  const std::vector<std::string> decks = {Deck("pptx__minimal.pptx"),      Deck("pptx__txt-text.pptx"),
                                          Deck("pptx__sld-background.pptx"), Deck("pptx__shp-freeform.pptx"),
                                          Deck("pptx__sld-blank.pptx"),      Deck("pptx__prs-properties.pptx")};
  std::vector<std::string> args = {"--no-images", "batch", "-j", "2", "-o", Out().string()};
  args.insert(args.end(), decks.begin(), decks.end());
  const ChildResult r = RunStalled(args, decks[0], [](int batch, int) { kill(batch, SIGINT); });

  ASSERT_EQ(r.exitCode, 7) << Describe(r) << "\nstderr:\n" << r.err;
  std::map<std::string, ResultLine> results = Results(r);
  ASSERT_EQ(results.size(), decks.size()) << r.out;
  EXPECT_EQ(results[decks[0]].status, 7) << "the stalled export ended through the abort event";
  for (const auto& [deck, result] : results) {
    // The other worker may have finished a deck before the interrupt reached it.
    if (result.status == 0) {
      EXPECT_TRUE(fs::is_regular_file(result.xml)) << deck;
    } else {
      EXPECT_EQ(result.status, 7) << deck;
      EXPECT_EQ(result.xml, "") << deck;
      EXPECT_NE(r.err.find("quillmere: " + deck + ": the export was cancelled"), std::string::npos) << r.err;
    }
  }
  EXPECT_TRUE(sandbox_.LiveProcesses().empty());
}

// The "Many machines" form of the README, run on this machine.
TEST_F(CliBatch, GnuParallelRunsOneDeckPerJobWithItsExitCode) {
  const fs::path parallel = "/usr/bin/parallel";
  QUILLMERE_REQUIRE_TOOL(fs::exists(parallel), "GNU parallel");
  const std::vector<std::string> decks = {Deck("pptx__minimal.pptx"), Deck("made__notes-encrypted.pptx"),
                                          Deck("pptx__txt-text.pptx")};
  const fs::path jobLog = sandbox_.Root() / "jobs.log";
  std::vector<std::string> args = {"--will-cite", "--joblog", jobLog.string(), "quillmere", "--no-images",
                                   "presentation", "{}", "-o", Out().string() + "/{/.}", ":::"};
  args.insert(args.end(), decks.begin(), decks.end());
  ChildOptions options;
  options.env = sandbox_.Environment();
  for (std::string& entry : options.env)
    if (entry.starts_with("PATH=")) entry = "PATH=" + CliPath().parent_path().string() + ":" + entry.substr(5);
  const ChildResult r = RunChild(parallel, args, options);

  EXPECT_EQ(r.exitCode, 1) << "parallel counts the failed jobs\n" << r.err;
  EXPECT_TRUE(fs::is_regular_file(Out() / "pptx__minimal" / "presentationinfo.xml"));
  EXPECT_TRUE(fs::is_regular_file(Out() / "pptx__txt-text" / "presentationinfo.xml"));
  // The job log: Seq Host Starttime JobRuntime Send Receive Exitval Signal Command.
  std::map<std::string, int> exitValues;
  for (const std::string& line : Lines(ReadFile(jobLog))) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.size() == 9 && fields[0] != "Seq")
      for (const std::string& deck : decks)
        if (fields[8].find(deck) != std::string::npos) exitValues[deck] = std::stoi(fields[6]);
  }
  EXPECT_EQ(exitValues, (std::map<std::string, int>{{decks[0], 0}, {decks[1], 11}, {decks[2], 0}}));
}

}  // namespace
}  // namespace quillmere::clitest
