#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "cli/HugePageHeap.h"
#include "tests/cli/CliHarness.h"

namespace quillmere::cli {
namespace {

// The second start must hand its children the environment the user gave it.
TEST(HugePageHeap, TheUsersTunablesAreKeptAndComeBackUnchanged) {
  EXPECT_EQ(TunablesWithHugePages(nullptr), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePages(""), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePages("glibc.malloc.hugetlb=0"), std::nullopt);
  EXPECT_EQ(TunablesWithHugePages("glibc.malloc.check=3:glibc.malloc.hugetlb=2"), std::nullopt);
  for (const char* given : {"glibc.malloc.check=3", "glibc.malloc.tcache_count=0:glibc.malloc.mxfast=0"}) {
    std::optional<std::string> with = TunablesWithHugePages(given);
    ASSERT_TRUE(with);
    EXPECT_EQ(*with, std::string(given) + ":glibc.malloc.hugetlb=1");
    EXPECT_EQ(TunablesWithoutHugePages(*with), given);
  }
  EXPECT_EQ(TunablesWithoutHugePages(*TunablesWithHugePages(nullptr)), std::nullopt);
  EXPECT_EQ(TunablesWithoutHugePages("glibc.malloc.check=3"), "glibc.malloc.check=3");
}

// A second start only where huge pages win it back: a worker, or a deck with a lot of XML.
TEST(HugePageHeap, OnlyLargeDescriptionsAndBatchWorkersStartTwice) {
  auto run = [](Command command, std::string deck) {
    Invocation invocation;
    invocation.command = command;
    invocation.deck = std::move(deck);
    return invocation;
  };
  const std::string large = (clitest::CorpusDir() / "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx").string();
  const std::string small = clitest::SampleDeck().string();
  EXPECT_TRUE(HugePagesPayOff(run(Command::BatchWorker, "")));
  for (Command command : {Command::Presentation, Command::Slides, Command::Slide}) {
    EXPECT_TRUE(HugePagesPayOff(run(command, large)));
    EXPECT_FALSE(HugePagesPayOff(run(command, small)));
  }
  EXPECT_FALSE(HugePagesPayOff(run(Command::Thumbnails, large)));  // the office draws, the heap stays small
  EXPECT_FALSE(HugePagesPayOff(run(Command::Batch, large)));       // its workers decide for themselves
  EXPECT_FALSE(HugePagesPayOff(run(Command::Presentation, (clitest::CorpusDir() / "poi__42486.ppt").string())));
  EXPECT_FALSE(HugePagesPayOff(run(Command::Presentation, "no such deck.pptx")));
}

}  // namespace
}  // namespace quillmere::cli
