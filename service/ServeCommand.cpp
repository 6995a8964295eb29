#include "service/ServeCommand.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <mutex>
#include <thread>

#include "cli/BatchCommand.h"
#include "component/StatusCode.h"
#include "service/ExportStore.h"
#include "service/ServeProgram.h"
#include "service/Service.h"

namespace quillmere::service {
namespace {

namespace fs = std::filesystem;

constexpr int kNoInput = 66;      // EX_NOINPUT

sigset_t Interrupts() {
  sigset_t interrupts;
  sigemptyset(&interrupts);
  sigaddset(&interrupts, SIGINT);
  sigaddset(&interrupts, SIGTERM);
  return interrupts;
}

// Every thread holds the interrupts; this one takes them: the first stops
// the service, a second ends the process at once, as in a batch.
class InterruptWatch {
 public:
  explicit InterruptWatch(Service& service) : thread_([this, &service] { Watch(service); }) {}
  ~InterruptWatch() {
    done_ = true;
    thread_.join();
  }

 private:
  void Watch(Service& service) {
    const sigset_t interrupts = Interrupts();
    const timespec tick{0, 200'000'000};
    bool stopping = false;
    while (!done_) {
      if (sigtimedwait(&interrupts, nullptr, &tick) < 0) continue;
      if (stopping) _exit(ERR_USER_CANCEL);
      stopping = true;
      service.Stop();
    }
  }

  std::atomic<bool> done_{false};
  std::thread thread_;
};

// The file's text without the white space around it (an editor's final line break).
std::string ReadToken(const std::string& file) {
  std::ifstream in(file);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  constexpr const char* kSpace = " \t\r\n";
  const std::size_t begin = text.find_first_not_of(kSpace);
  if (begin == std::string::npos) return "";
  return text.substr(begin, text.find_last_not_of(kSpace) - begin + 1);
}

// The data folder to use, made when missing; what a former run left in it goes.
std::string PrepareDataFolder(const std::string& given, std::string& why) {
  std::error_code error;
  if (given.empty()) {
    std::string pattern = (fs::temp_directory_path(error) / "quillmere-serve-XXXXXX").string();
    if (error || mkdtemp(pattern.data()) == nullptr) {
      why = "cannot make a data folder in the temporary folder";
      return "";
    }
    return pattern;
  }
  const fs::path folder = fs::absolute(given, error);
  fs::create_directories(folder, error);
  if (error) {
    why = "cannot make the data folder " + given + ": " + error.message();
    return "";
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    if (IsExportId(entry.path().filename().string())) fs::remove_all(entry.path(), error);
  return folder.string();
}

}  // namespace

int RunServe(const cli::Invocation& run, ServeOptions options) {
  std::string token;
  if (!options.tokenFile.empty() && (token = ReadToken(options.tokenFile)).empty()) {
    std::cerr << "quillmere: serve: the token file " << options.tokenFile << " holds no token\n";
    return kNoInput;
  }
  std::string why;
  const bool madeDataFolder = options.dataFolder.empty();
  options.dataFolder = PrepareDataFolder(options.dataFolder, why);
  if (options.dataFolder.empty()) {
    std::cerr << "quillmere: serve: " << why << '\n';
    return kServiceUnavailable;
  }
  if (options.workers == 0) options.workers = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

  // Held before any thread starts, so that every thread inherits it.
  const sigset_t interrupts = Interrupts();
  pthread_sigmask(SIG_BLOCK, &interrupts, nullptr);
  std::mutex logging;
  int exitCode = 0;
  {
    Service service({options, cli::WorkerCommand("/proc/self/exe", run),
                     {"", run.emulatedVersion, !run.skipImages, false}, token, cli::SteadyClock(),
                     [&logging](std::string_view line) {
                       const std::lock_guard lock(logging);
                       std::cerr << line << '\n';
                     }});
    if (!service.Bind(why)) {
      std::cerr << "quillmere: serve: " << why << '\n';
      exitCode = kServiceUnavailable;
    } else {
      std::cout << "quillmere: serving on http://" << options.host << ':' << service.Port() << "/ with "
                << options.workers << (options.workers == 1 ? " worker" : " workers") << "; results in "
                << options.dataFolder << std::endl;
      InterruptWatch watch(service);
      service.Run();
    }
  }
  std::error_code error;
  if (madeDataFolder) fs::remove_all(options.dataFolder, error);
  return exitCode;
}

}  // namespace quillmere::service
