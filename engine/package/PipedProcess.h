#pragma once
// A program that this process talks to in lines: its stdin and stdout are
// pipes to us, its stderr goes to a log file. It runs in a process group of
// its own, and destroying the object kills that group, so helpers it started
// cannot outlive it.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::engine {

class PipedProcess {
 public:
  using Deadline = std::chrono::steady_clock::time_point;

  // argv[0] is the program's path. Throws std::system_error when it cannot be started.
  PipedProcess(const std::vector<std::string>& argv, const std::filesystem::path& logFile);
  ~PipedProcess();
  PipedProcess(const PipedProcess&) = delete;
  PipedProcess& operator=(const PipedProcess&) = delete;

  enum class Read { Line, TimedOut, Closed };
  // One line of its output without the line break, waiting at most until the
  // deadline. Closed as soon as the program has ended with no line pending,
  // even while a helper it left behind still holds its output open.
  Read ReadLine(std::string& line, Deadline deadline);
  // False when the program no longer reads its input.
  bool WriteLine(std::string_view line);
  // True when the program ended by the deadline.
  bool WaitForExit(Deadline deadline);
  // Kills the whole group and reaps the program; later calls do nothing.
  void KillGroup();

 private:
  pid_t pid_ = 0;
  int input_ = -1;   // our end of its stdin
  int output_ = -1;  // our end of its stdout
  int ended_ = -1;   // a pidfd, readable once the program has ended
  std::string buffered_;
};

}  // namespace quillmere::engine
