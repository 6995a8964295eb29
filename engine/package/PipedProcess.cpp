#include "engine/package/PipedProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "engine/package/ProcessSpawning.h"

extern char** environ;

namespace quillmere::engine {
namespace {

class Pipe {
 public:
  Pipe() {
    if (pipe2(ends_, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category(), "pipe");
  }
  ~Pipe() {
    for (int end : ends_)
      if (end >= 0) close(end);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  int ReadEnd() const { return ends_[0]; }
  int WriteEnd() const { return ends_[1]; }
  int TakeReadEnd() { return Take(0); }
  int TakeWriteEnd() { return Take(1); }

 private:
  int Take(int which) {
    int end = ends_[which];
    ends_[which] = -1;
    return end;
  }
  int ends_[2];
};

// Writing to a program that has ended raises SIGPIPE, which would end this
// process; the signal is held back for this thread and a pending one dropped.
class SigpipeHold {
 public:
  SigpipeHold() {
    sigemptyset(&pipeOnly_);
    sigaddset(&pipeOnly_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
  }
  ~SigpipeHold() {
    if (raised_ && !wasPending_) {
      timespec none{};
      while (sigtimedwait(&pipeOnly_, nullptr, &none) < 0 && errno == EINTR) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  SigpipeHold(const SigpipeHold&) = delete;
  SigpipeHold& operator=(const SigpipeHold&) = delete;
  void Raised() { raised_ = true; }

 private:
  sigset_t pipeOnly_, previous_;
  bool wasPending_ = false;
  bool raised_ = false;
};

}  // namespace

PipedProcess::PipedProcess(const std::vector<std::string>& argv, const std::filesystem::path& logFile) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  Pipe toChild, fromChild;
  SpawnSetup setup(logFile, toChild.ReadEnd(), fromChild.WriteEnd());
  if (int e = posix_spawn(&pid_, args[0], setup.Actions(), setup.Attributes(), args.data(), environ))
    throw std::system_error(e, std::generic_category(), argv[0]);
  input_ = toChild.TakeWriteEnd();
  output_ = fromChild.TakeReadEnd();
  ended_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
}

PipedProcess::~PipedProcess() {
  KillGroup();
  close(input_);
  close(output_);
  if (ended_ >= 0) close(ended_);
}

PipedProcess::Read PipedProcess::ReadLine(std::string& line, Deadline deadline) {
  for (;;) {
    if (size_t end = buffered_.find('\n'); end != std::string::npos) {
      line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return Read::Line;
    }
    pollfd p[2] = {{output_, POLLIN, 0}, {ended_, POLLIN, 0}};
    int ready = poll(p, ended_ >= 0 ? 2 : 1, MillisecondsUntil(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return Read::TimedOut;
    // Whatever it wrote before it ended is read first.
    if (!(p[0].revents & (POLLIN | POLLHUP | POLLERR))) return Read::Closed;
    char chunk[4096];
    ssize_t got = read(output_, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return Read::Closed;
    buffered_.append(chunk, static_cast<size_t>(got));
  }
}

bool PipedProcess::WriteLine(std::string_view line) {
  std::string bytes = std::string(line) + '\n';
  SigpipeHold hold;
  for (size_t done = 0; done < bytes.size();) {
    ssize_t wrote = write(input_, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) {
      if (errno == EPIPE) hold.Raised();
      return false;
    }
    done += static_cast<size_t>(wrote);
  }
  return true;
}

bool PipedProcess::WaitForExit(Deadline deadline) { return pid_ > 0 && quillmere::engine::WaitForExit(pid_, deadline); }

void PipedProcess::KillGroup() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_ = 0;
}

}  // namespace quillmere::engine
