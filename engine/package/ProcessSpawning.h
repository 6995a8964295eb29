#pragma once
// The spawning and waiting shared by the child-process helpers: a child starts
// in a process group of its own with default signal handling, so that killing
// the group reaches every helper it starts.

#include <spawn.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>

namespace quillmere::engine {

class SpawnSetup {
 public:
  // stderr goes to logFile. stdin and stdout are the given descriptors, or
  // /dev/null and the log file when they are -1.
  explicit SpawnSetup(const std::filesystem::path& logFile, int input = -1, int output = -1);
  ~SpawnSetup();
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attr_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

// Milliseconds left until the deadline, for poll(); 0 once it has passed.
int MillisecondsUntil(std::chrono::steady_clock::time_point deadline);

// Waits for the child to end without reaping it, so that its process group
// stays reserved until it is killed. False when the deadline passed.
bool WaitForExit(pid_t pid, std::chrono::steady_clock::time_point deadline);

}  // namespace quillmere::engine
