#pragma once
// Runs the built tool as a child process with a given environment and
// captures what it prints. A watchdog kills a child that overruns its time,
// so a hang fails the test instead of stalling the run.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quillmere::clitest {

struct ChildResult;

struct ChildOptions {
  std::vector<std::string> env;       // "NAME=value"; nothing else is inherited
  std::filesystem::path workingFolder; // empty: the test's own
  // Signals (SIGINT, SIGTERM) sent to the child before it can run any code of
  // its own: blocked in the child and left pending until the child unblocks them.
  std::vector<int> signalsAtStart;
  bool stderrOnTerminal = false;       // stderr is a pseudo-terminal instead of a pipe
  std::chrono::seconds timeout{120};
  // Called with the child's process id and what it has printed so far each
  // time more arrives, so that a test can act at a point the output marks.
  std::function<void(int pid, const ChildResult& soFar)> onOutput;
};

struct ChildResult {
  bool timedOut = false;
  int exitCode = -1;  // -1 when the child ended by a signal
  int signal = 0;     // the signal that ended it, or 0
  std::string out;
  std::string err;
};

// args excludes the program itself. Throws std::runtime_error when the child cannot be started.
ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const ChildOptions& options);

// The text split at '\n', without the empty piece after a final newline.
std::vector<std::string> Lines(const std::string& text);

// How the run ended, for failure messages: "exit 4", "signal 11", "timed out".
std::string Describe(const ChildResult& result);

}  // namespace quillmere::clitest
