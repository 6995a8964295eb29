#include "engine/package/ProcessSpawning.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace quillmere::engine {
namespace {

using Clock = std::chrono::steady_clock;

// Used only where pidfd_open is unavailable (older kernels, some sandboxes).
constexpr std::chrono::milliseconds kPollStep(20);

}  // namespace

SpawnSetup::SpawnSetup(const std::filesystem::path& logFile, int input, int output) {
  posix_spawn_file_actions_init(&actions_);
  posix_spawn_file_actions_addopen(&actions_, 2, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (input < 0) {
    posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
  } else {
    posix_spawn_file_actions_adddup2(&actions_, input, 0);
  }
  posix_spawn_file_actions_adddup2(&actions_, output < 0 ? 2 : output, 1);
  posix_spawnattr_init(&attr_);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr_, &none);
  posix_spawnattr_setsigdefault(&attr_, &all);  // whatever this process ignores
  posix_spawnattr_setpgroup(&attr_, 0);
  posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

SpawnSetup::~SpawnSetup() {
  posix_spawn_file_actions_destroy(&actions_);
  posix_spawnattr_destroy(&attr_);
}

int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

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

}  // namespace quillmere::engine
