#include "cli/WorkerProcesses.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include <fmt/format.h>

#include "cli/BatchProtocol.h"

extern char** environ;

namespace quillmere::cli {
namespace {

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Reads what the pipe holds now; at its end (or on an error) closes it.
void ReadAvailable(int& fd, std::string& into) {
  char buffer[65536];
  while (fd >= 0) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      if (n == 0 || errno != EAGAIN) CloseFd(fd);
      return;
    }
  }
}

// Hands each full line to take and keeps the rest; at the stream's end the
// rest is a line too.
template <class Take>
void TakeLines(std::string& text, bool ended, Take&& take) {
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    take(std::string_view(text).substr(start, end - start));
  text.erase(0, start);
  if (ended && !text.empty()) {
    take(std::string_view(text));
    text.clear();
  }
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string HowItEnded(int status) {
  if (WIFSIGNALED(status))
    return fmt::format("its worker ended by signal {} ({})", WTERMSIG(status), strsignal(WTERMSIG(status)));
  return fmt::format("its worker ended with exit code {}", WEXITSTATUS(status));
}

timespec Timeout(const Clock& clock, Clock::TimePoint deadline) {
  const auto left = std::max(deadline - clock.Now(), Clock::TimePoint::duration::zero());
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
  return timespec{static_cast<time_t>(seconds.count()),
                  static_cast<long>(std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count())};
}

// The three pipes of a worker being started: [0] is the read end.
struct Pipes {
  int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
  ~Pipes() {
    for (int* pair : {in, out, err})
      for (int i = 0; i < 2; ++i) CloseFd(pair[i]);
  }
};

}  // namespace

ProcessWorkerPool::ProcessWorkerPool(std::vector<std::string> argv, int slots, const Clock& clock,
                                     const std::atomic<bool>& interrupted, WorkerOutput output)
    : argv_(std::move(argv)), clock_(clock), interrupted_(interrupted), output_(std::move(output)),
      workers_(static_cast<std::size_t>(std::max(slots, 1))) {
  signal(SIGPIPE, SIG_IGN);
}

ProcessWorkerPool::~ProcessWorkerPool() {
  for (int slot = 0; slot < std::ssize(workers_); ++slot) Kill(slot);
}

pid_t ProcessWorkerPool::ProcessId(int slot) const { return workers_.at(static_cast<std::size_t>(slot)).pid; }

bool ProcessWorkerPool::Start(int slot, std::string& why) {
  Worker& worker = workers_.at(static_cast<std::size_t>(slot));
  Pipes pipes;
  if (pipe2(pipes.in, O_CLOEXEC) != 0 || pipe2(pipes.out, O_CLOEXEC) != 0 || pipe2(pipes.err, O_CLOEXEC) != 0) {
    why = std::string("cannot make a pipe: ") + std::strerror(errno);
    return false;
  }
  // Only our ends: the worker's own writes must block when a pipe is full.
  fcntl(pipes.out[0], F_SETFL, O_NONBLOCK);
  fcntl(pipes.err[0], F_SETFL, O_NONBLOCK);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipes.in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipes.out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipes.err[1], STDERR_FILENO);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // An interrupt sent before the worker has its handlers stays pending until it has them.
  sigset_t mask, defaults;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  sigemptyset(&defaults);
  for (int sig : {SIGINT, SIGTERM}) sigaddset(&mask, sig);
  for (int sig : {SIGINT, SIGTERM, SIGPIPE}) sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attr, &mask);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::vector<char*> args;
  for (std::string& arg : argv_) args.push_back(arg.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  const int error = posix_spawn(&pid, args[0], &actions, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  if (error != 0) {
    why = fmt::format("cannot run {}: {}", argv_[0], std::strerror(error));
    return false;
  }
  const int ended = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (ended < 0) {
    why = std::string("cannot watch a worker (pidfd_open): ") + std::strerror(errno);
    kill(-pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return false;
  }
  worker = Worker{pid, pipes.in[1], pipes.out[0], pipes.err[0], ended, {}, {}};
  pipes.in[1] = pipes.out[0] = pipes.err[0] = -1;
  return true;
}

void ProcessWorkerPool::Assign(int slot, const BatchDeck& deck) {
  Worker& worker = workers_.at(static_cast<std::size_t>(slot));
  // A worker that has died cannot take it; its end is reported by Wait.
  if (worker.input >= 0)
    WriteAll(worker.input, JoinFields(ExportJobFields(deck)) + "\n");
}

void ProcessWorkerPool::Cancel(int slot) {
  if (pid_t pid = ProcessId(slot)) kill(pid, SIGINT);
}

void ProcessWorkerPool::Retire(int slot) { CloseFd(workers_.at(static_cast<std::size_t>(slot)).input); }

void ProcessWorkerPool::Kill(int slot) {
  const pid_t pid = ProcessId(slot);
  if (pid == 0) return;
  kill(-pid, SIGKILL);
  std::vector<WorkerEvent> dropped;  // an answer that came too late counts for nothing
  Reap(slot, dropped);
}

std::vector<WorkerEvent> ProcessWorkerPool::Wait(std::optional<Clock::TimePoint> deadline) {
  std::vector<pollfd> fds;
  std::vector<int> owners;
  for (int slot = 0; slot < std::ssize(workers_); ++slot) {
    const Worker& worker = workers_[static_cast<std::size_t>(slot)];
    if (worker.pid == 0) continue;
    for (int fd : {worker.output, worker.errors, worker.ended}) {
      if (fd < 0) continue;
      fds.push_back({fd, POLLIN, 0});
      owners.push_back(slot);
    }
  }
  if (wake_ >= 0) {
    fds.push_back({wake_, POLLIN, 0});
    owners.push_back(-1);
  }
  // Interrupts are held from the check to the wait, which takes them: one
  // that comes in between ends the wait instead of waiting with it.
  sigset_t interrupts, unheld;
  sigemptyset(&interrupts);
  sigaddset(&interrupts, SIGINT);
  sigaddset(&interrupts, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &interrupts, &unheld);
  if (interrupted_ && !interruptTold_) {
    interruptTold_ = true;
    pthread_sigmask(SIG_SETMASK, &unheld, nullptr);
    return {};
  }
  timespec timeout{};
  if (deadline) timeout = Timeout(clock_, *deadline);
  const int ready = ppoll(fds.data(), fds.size(), deadline ? &timeout : nullptr, &unheld);
  const int error = errno;
  pthread_sigmask(SIG_SETMASK, &unheld, nullptr);
  if (ready < 0) {
    if (error == EINTR) return {};
    throw std::system_error(error, std::generic_category(), "ppoll");
  }

  std::vector<WorkerEvent> events;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    if (owners[i] < 0) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t n = read(wake_, &count, sizeof count);
      continue;
    }
    Worker& worker = workers_[static_cast<std::size_t>(owners[i])];
    if (fds[i].fd == worker.output) {
      ReadOutput(owners[i], events);
    } else if (fds[i].fd == worker.errors) {
      ReadErrors(worker);
    } else if (fds[i].fd == worker.ended) {
      WorkerEvent ended{WorkerEvent::Kind::Ended, owners[i], {}};
      ended.outcome.reason = Reap(owners[i], events);
      events.push_back(std::move(ended));
    }
  }
  return events;
}

void ProcessWorkerPool::ReadOutput(int slot, std::vector<WorkerEvent>& events) {
  Worker& worker = workers_[static_cast<std::size_t>(slot)];
  ReadAvailable(worker.output, worker.outputText);
  TakeLines(worker.outputText, worker.output < 0,
            [&](std::string_view line) { TakeOutputLine(slot, line, events); });
}

void ProcessWorkerPool::ReadErrors(Worker& worker) {
  ReadAvailable(worker.errors, worker.errorText);
  TakeLines(worker.errorText, worker.errors < 0, [&](std::string_view line) { output_.stderrLine(line); });
}

void ProcessWorkerPool::TakeOutputLine(int slot, std::string_view line, std::vector<WorkerEvent>& events) {
  const std::vector<std::string> fields = SplitFields(line);
  std::int32_t status = 0;
  if (fields.size() == 4 && fields[0] == kReplyDone && ParseNumber(fields[1], status)) {
    events.push_back({WorkerEvent::Kind::Finished, slot, {status, fields[2], fields[3]}});
    return;
  }
  ExportProgress progress;
  if (fields.size() == 3 && fields[0] == kReplyProgress && ParseNumber(fields[1], progress.done) &&
      ParseNumber(fields[2], progress.total)) {
    events.push_back({WorkerEvent::Kind::Progress, slot, {}, progress});
    return;
  }
  if (fields.size() == 2 && fields[0] == kReplyNotice) {
    output_.notice(fields[1]);
    return;
  }
  // Not an answer: show it rather than lose it.
  output_.stderrLine(line);
}

std::string ProcessWorkerPool::Reap(int slot, std::vector<WorkerEvent>& events) {
  Worker& worker = workers_[static_cast<std::size_t>(slot)];
  // What it wrote before it ended; a helper it left holding a pipe must not keep us here.
  ReadOutput(slot, events);
  ReadErrors(worker);
  TakeLines(worker.outputText, true, [&](std::string_view line) { TakeOutputLine(slot, line, events); });
  TakeLines(worker.errorText, true, [&](std::string_view line) { output_.stderrLine(line); });
  int status = 0;
  while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
  }
  for (int* fd : {&worker.input, &worker.output, &worker.errors, &worker.ended}) CloseFd(*fd);
  worker = Worker{};
  return HowItEnded(status);
}

}  // namespace quillmere::cli
