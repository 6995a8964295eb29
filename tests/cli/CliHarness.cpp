#include "tests/cli/CliHarness.h"

#include <gtest/gtest.h>

namespace quillmere::clitest {

std::filesystem::path CliPath() { return QUILLMERE_CLI_PATH; }
std::filesystem::path SampleDeck() { return std::filesystem::path(QUILLMERE_SAMPLES_DIR) / "quillmere-demo.pptx"; }
std::filesystem::path CorpusDir() { return QUILLMERE_CORPUS_DIR; }

ChildOptions Within(std::chrono::seconds timeout) {
  ChildOptions options;
  options.timeout = timeout;
  return options;
}

ChildResult RunCli(const Sandbox& sandbox, const std::vector<std::string>& args, ChildOptions options) {
  options.env = sandbox.Environment();
  return RunChild(CliPath(), args, options);
}

void ExpectUsageErrors(const Sandbox& sandbox, const std::vector<std::vector<std::string>>& commandLines) {
  for (const auto& args : commandLines) {
    std::string shown = "quillmere";
    for (const auto& a : args) shown += " " + a;
    SCOPED_TRACE(shown);
    ChildResult r = RunCli(sandbox, args, Within(std::chrono::seconds(60)));
    EXPECT_EQ(r.exitCode, kUsageExit) << Describe(r);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "") << "says nothing about what is wrong";
  }
}

}  // namespace quillmere::clitest
