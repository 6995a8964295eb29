#pragma once
// Runs a program in a process group of its own under a time limit. When the
// program ends or runs over, the whole group is killed, so helpers it started
// cannot outlive it.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmere::engine {

struct ProcessOutcome {
  enum class End { Exited, Signalled, TimedOut, NotStarted };
  End end = End::NotStarted;
  int code = 0;       // exit status or signal number
  std::string error;  // why it did not start
};

// argv[0] is the program's path. stdin reads /dev/null; stdout and stderr go
// to outputFile.
ProcessOutcome RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                          std::chrono::milliseconds timeout);

}  // namespace quillmere::engine
