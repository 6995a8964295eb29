#include "tests/cli/Sandbox.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quillmere::clitest {

Sandbox::Sandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
  root_ = pattern;
  for (const auto& folder : {Home(), Config(), Data(), Runtime(), Temp()}) std::filesystem::create_directory(folder);
  // The runtime folder must be private to its user.
  chmod(Runtime().c_str(), 0700);
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::vector<std::string> Sandbox::Environment() const {
  std::vector<std::string> env = {
      "HOME=" + Home().string(),       "XDG_CONFIG_HOME=" + Config().string(),
      "XDG_DATA_HOME=" + Data().string(), "XDG_RUNTIME_DIR=" + Runtime().string(),
      "TMPDIR=" + Temp().string(),     "PATH=/usr/local/bin:/usr/bin:/bin",
      "LANG=C.UTF-8",
  };
  // A sanitized build's child should report the way the test run asked.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  return env;
}

std::vector<int> Sandbox::LiveProcesses() const {
  // An entry of /proc/PID/environ, which lists NUL-ended NAME=value entries.
  const std::string marker = "TMPDIR=" + Temp().string() + std::string(1, '\0');
  std::vector<int> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "environ", std::ios::binary);
    const std::string environment{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (environment.starts_with(marker) || environment.find('\0' + marker) != std::string::npos)
      found.push_back(std::stoi(name));
  }
  return found;
}

}  // namespace quillmere::clitest
