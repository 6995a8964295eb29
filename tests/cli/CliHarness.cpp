#include "tests/cli/CliHarness.h"

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

}  // namespace quillmere::clitest
