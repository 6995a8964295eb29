#include "engine/package/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace quillmere::engine {
namespace {

using Clock = std::chrono::steady_clock;

// Used only where pidfd_open is unavailable (older kernels, some sandboxes).
constexpr std::chrono::milliseconds kPollStep(20);

class SpawnSetup {
 public:
  explicit SpawnSetup(const std::filesystem::path& outputFile) {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions_, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    posix_spawnattr_init(&attr_);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &all);  // whatever this process ignores
    posix_spawnattr_setpgroup(&attr_, 0);
    posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions_);
    posix_spawnattr_destroy(&attr_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &actions_; }
  const posix_spawnattr_t* Attributes() const { return &attr_; }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// Waits for the child to end without reaping it, so that its process group
// stays reserved until it is killed below. False when the deadline passed.
bool WaitForExit(pid_t pid, Clock::time_point deadline) {
  int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (pidfd >= 0) {
    pollfd p{pidfd, POLLIN, 0};
    int ready;
    do ready = poll(&p, 1, MillisecondsUntil(deadline));
    while (ready < 0 && errno == EINTR);
    close(pidfd);
    return ready > 0;
  }
  for (;;) {
    siginfo_t info{};
    if (waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollStep);
  }
}

}  // namespace

ProcessOutcome RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                          std::chrono::milliseconds timeout) {
  ProcessOutcome outcome;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  SpawnSetup setup(outputFile);
  pid_t pid = 0;
  Clock::time_point deadline = Clock::now() + timeout;
  if (int e = posix_spawn(&pid, args[0], setup.Actions(), setup.Attributes(), args.data(), environ)) {
    outcome.error = std::strerror(e);
    return outcome;
  }
  bool exited = WaitForExit(pid, deadline);
  kill(-pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (!exited) {
    outcome.end = ProcessOutcome::End::TimedOut;
  } else if (WIFEXITED(status)) {
    outcome.end = ProcessOutcome::End::Exited;
    outcome.code = WEXITSTATUS(status);
  } else {
    outcome.end = ProcessOutcome::End::Signalled;
    outcome.code = WTERMSIG(status);
  }
  return outcome;
}

}  // namespace quillmere::engine
