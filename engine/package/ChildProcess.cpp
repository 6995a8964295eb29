#include "engine/package/ChildProcess.h"

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "engine/package/ProcessSpawning.h"

extern char** environ;

namespace quillmere::engine {

ProcessOutcome RunProcess(const std::vector<std::string>& argv, const std::filesystem::path& outputFile,
                          std::chrono::milliseconds timeout) {
  ProcessOutcome outcome;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  SpawnSetup setup(outputFile);
  pid_t pid = 0;
  auto deadline = std::chrono::steady_clock::now() + timeout;
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
