#include "service/ServeProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace quillmere::service {

namespace {

std::filesystem::path ServeProgram() {
  if (const char* chosen = std::getenv("QUILLMERE_SERVE_PROGRAM"); chosen && *chosen) return chosen;
  std::error_code error;
  const std::filesystem::path running = std::filesystem::read_symlink("/proc/self/exe", error);
  // Without /proc the bare name, which execvp looks for on PATH (not in the working folder).
  return error ? std::filesystem::path("quillmere-serve") : running.parent_path() / "quillmere-serve";
}

}  // namespace

int StartServeProgram(char** argv) {
  const std::string program = ServeProgram().string();
  execvp(program.c_str(), argv);
  std::cerr << "quillmere: serve: cannot start " << program << ": " << std::strerror(errno) << '\n';
  return kServiceUnavailable;
}

}  // namespace quillmere::service
