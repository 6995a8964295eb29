#include "engine/render/server/OfficeProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "engine/package/LibreOfficeInstallation.h"

extern char** environ;

namespace quillmere::engine::render {
namespace {

namespace fs = std::filesystem;

// The exit codes with which the office asks its launcher to start it again:
// after a crash it wants to recover from, and after setting up a new profile.
constexpr int kRestartAfterCrash = 79;
constexpr int kRestartNormally = 81;
constexpr int kMaxRestarts = 3;
constexpr std::chrono::milliseconds kStopPoll(20);

// soffice.bin in the folder the soffice script really lives in; the program
// itself when it is not a LibreOffice installation laid out that way.
fs::path OfficeBinary(const fs::path& soffice) {
  fs::path program = OfficeProgramFolder(soffice);
  if (program.empty()) return soffice;
  fs::path binary = program / "soffice.bin";
  return IsExecutable(binary) ? binary : soffice;
}

// The office listens on a socket file it removes only when it quits by
// itself; a killed office leaves it behind in the system's pipe folder.
void RemovePipeSocket(const std::string& pipeName) {
  std::string file = "OSL_PIPE_" + std::to_string(getuid()) + "_" + pipeName;
  std::error_code ignored;
  for (const char* folder : {"/tmp", "/var/tmp"}) fs::remove(fs::path(folder) / file, ignored);
}

}  // namespace

OfficeProcess::OfficeProcess(const fs::path& soffice, const fs::path& profile, const std::string& pipeName)
    : pipeName_(pipeName) {
  SeedOfficeProfile(soffice, profile);
  argv_.push_back(OfficeBinary(soffice).string());
  for (std::string& option : HeadlessOfficeArguments(profile)) argv_.push_back(std::move(option));
  argv_.push_back("--nodefault");
  argv_.push_back("--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext");
  setenv("SAL_ENABLE_FILE_LOCKING", "1", 0);  // as the soffice script sets it
  // The office's scratch files go beside its profile, which the renderer
  // removes however the office ends.
  std::error_code error;
  fs::path scratch = profile.parent_path() / "tmp";
  fs::create_directories(scratch, error);
  if (!error) setenv("TMPDIR", scratch.c_str(), 1);
  Spawn();
}

OfficeProcess::~OfficeProcess() { Stop(std::chrono::milliseconds(0)); }

void OfficeProcess::Spawn() {
  std::vector<char*> args;
  for (std::string& a : argv_) args.push_back(a.data());
  args.push_back(nullptr);
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid < 0) throw std::system_error(errno, std::generic_category(), "fork");
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec. The office must not
    // read our requests nor write into our replies, so stdout joins stderr.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    int null = open("/dev/null", O_RDONLY);
    dup2(null, 0);
    dup2(2, 1);
    execve(args[0], args.data(), environ);
    _exit(127);
  }
  pid_ = pid;
}

bool OfficeProcess::Ended(int& status) {
  if (pid_ <= 0) return true;
  pid_t ended;
  do ended = waitpid(pid_, &status, WNOHANG);
  while (ended < 0 && errno == EINTR);
  if (ended == 0) return false;
  pid_ = 0;
  return true;
}

bool OfficeProcess::Running() {
  int status = 0;
  if (pid_ <= 0) return false;
  if (!Ended(status)) return true;
  bool wantsRestart = WIFEXITED(status) && (WEXITSTATUS(status) == kRestartAfterCrash ||
                                           WEXITSTATUS(status) == kRestartNormally);
  if (wantsRestart && restarts_ < kMaxRestarts) {
    ++restarts_;
    Spawn();
    return true;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) {
    endReason_ = "LibreOffice could not be run (" + argv_[0] + ")";
  } else if (WIFEXITED(status)) {
    endReason_ = "LibreOffice ended with exit status " + std::to_string(WEXITSTATUS(status));
  } else {
    endReason_ = "LibreOffice was ended by signal " + std::to_string(WTERMSIG(status));
  }
  return false;
}

void OfficeProcess::Stop(std::chrono::milliseconds grace) {
  auto deadline = std::chrono::steady_clock::now() + grace;
  int status = 0;
  while (!Ended(status) && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kStopPoll);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_ = 0;
  }
  RemovePipeSocket(pipeName_);
}

}  // namespace quillmere::engine::render
