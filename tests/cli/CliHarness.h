#pragma once
// Shared by the tests of the command-line tool: where things are and how a
// run in a sandbox is started.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/ChildProcess.h"
#include "tests/cli/Sandbox.h"

namespace quillmere::clitest {

// The exit code of a bad command line.
constexpr int kUsageExit = 64;

std::filesystem::path CliPath();
std::filesystem::path SampleDeck();
std::filesystem::path CorpusDir();

// Default options, with a shorter watchdog for runs that open no deck.
ChildOptions Within(std::chrono::seconds timeout);

// Runs the tool in the sandbox's environment; options.env is replaced by it.
ChildResult RunCli(const Sandbox& sandbox, const std::vector<std::string>& args, ChildOptions options = {});

// Each command line ends with the usage exit code, nothing on stdout and why on stderr.
void ExpectUsageErrors(const Sandbox& sandbox, const std::vector<std::vector<std::string>>& commandLines);

}  // namespace quillmere::clitest
