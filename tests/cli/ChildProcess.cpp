#include "tests/cli/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quillmere::clitest {
namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

void MakePipe(Fd& readEnd, Fd& writeEnd) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) Fail("pipe2");
  readEnd.Reset(fds[0]);
  writeEnd.Reset(fds[1]);
}

// A raw pseudo-terminal, so that bytes arrive exactly as written ("\n" is not turned into "\r\n").
void MakeTerminal(Fd& master, Fd& slave) {
  master.Reset(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (master.Get() < 0 || grantpt(master.Get()) != 0 || unlockpt(master.Get()) != 0) Fail("posix_openpt");
  char name[128];
  if (ptsname_r(master.Get(), name, sizeof name) != 0) Fail("ptsname_r");
  slave.Reset(open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (slave.Get() < 0) Fail("open pts");
  termios mode;
  if (tcgetattr(slave.Get(), &mode) != 0) Fail("tcgetattr");
  cfmakeraw(&mode);
  if (tcsetattr(slave.Get(), TCSANOW, &mode) != 0) Fail("tcsetattr");
}

// False at end of stream (a pseudo-terminal reports EIO once its other end is closed).
bool ReadSome(int fd, std::string& into) {
  char buffer[65536];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && errno == EAGAIN;
  }
}

// What is left once the child is gone; a grandchild still holding the stream must not stall us.
void Drain(int fd, std::string& into) {
  if (fd < 0) return;
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  std::size_t before;
  do {
    before = into.size();
  } while (ReadSome(fd, into) && into.size() != before);
}

pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& args, const ChildOptions& options,
            int outFd, int errFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  if (!options.workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t mask, defaults;
  sigemptyset(&mask);
  for (int sig : options.signalsAtStart) sigaddset(&mask, sig);
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGTERM, SIGPIPE}) sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attr, &mask);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  // Its own process group, so the watchdog can also kill what it started.
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

  std::vector<std::string> argStorage{program.string()};
  argStorage.insert(argStorage.end(), args.begin(), args.end());
  std::vector<char*> argv, envp;
  for (std::string& arg : argStorage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStorage = options.env;
  for (std::string& entry : envStorage) envp.push_back(entry.data());
  envp.push_back(nullptr);

  pid_t pid = -1;
  int error = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (error != 0) {
    errno = error;
    Fail("posix_spawn " + program.string());
  }
  return pid;
}

void Record(int status, ChildResult& result) {
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
}

}  // namespace

ChildResult RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const ChildOptions& options) {
  Fd outRead, outWrite, errRead, errWrite;
  MakePipe(outRead, outWrite);
  if (options.stderrOnTerminal)
    MakeTerminal(errRead, errWrite);
  else
    MakePipe(errRead, errWrite);

  const pid_t pid = Spawn(program, args, options, outWrite.Get(), errWrite.Get());
  outWrite.Reset();
  errWrite.Reset();
  // The child blocks these from its first instruction, so they stay pending until it unblocks them.
  for (int sig : options.signalsAtStart) kill(pid, sig);
  Fd exited(static_cast<int>(syscall(SYS_pidfd_open, pid, 0)));
  if (exited.Get() < 0) Fail("pidfd_open");

  ChildResult result;
  pollfd fds[3] = {{outRead.Get(), POLLIN, 0}, {errRead.Get(), POLLIN, 0}, {exited.Get(), POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  const auto deadline = std::chrono::steady_clock::now() + options.timeout;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      kill(-pid, SIGKILL);
      kill(pid, SIGKILL);
      result.timedOut = true;
      break;
    }
    if (poll(fds, 3, static_cast<int>(left.count())) < 0) {
      if (errno == EINTR) continue;
      Fail("poll");
    }
    for (int i = 0; i < 2; ++i)
      if (fds[i].fd >= 0 && fds[i].revents != 0 && !ReadSome(fds[i].fd, *sinks[i])) fds[i].fd = -1;
    if (options.onOutput && (fds[0].revents != 0 || fds[1].revents != 0)) options.onOutput(pid, result);
    if (fds[2].revents != 0) break;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  Record(status, result);
  for (int i = 0; i < 2; ++i) Drain(fds[i].fd, *sinks[i]);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

std::string Describe(const ChildResult& result) {
  if (result.timedOut) return "timed out";
  if (result.signal != 0) return "signal " + std::to_string(result.signal) + " (" + strsignal(result.signal) + ")";
  return "exit " + std::to_string(result.exitCode);
}

}  // namespace quillmere::clitest
