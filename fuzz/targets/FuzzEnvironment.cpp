#include "fuzz/targets/FuzzEnvironment.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/EngineRuntime.h"
#include "utilities/registry/Registry.h"

namespace quillmere::fuzz {
namespace {

std::filesystem::path root;

void RemoveRoot() {
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}

std::filesystem::path MakeEnvironment() {
  std::filesystem::path base = "/dev/shm";
  if (access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path();
  std::string pattern = (base / "quillmere-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("quillmere fuzz: cannot make its folder");
    std::abort();
  }
  root = pattern;
  std::atexit(RemoveRoot);
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
    std::filesystem::path folder = root / variable;
    std::filesystem::create_directories(folder);
    setenv(variable, folder.c_str(), 1);
  }
  SetRegistryFile("");
  engine::RegisterEngine();
  std::filesystem::create_directories(root / "work");
  return root / "work";
}

}  // namespace

const std::filesystem::path& FuzzWorkFolder() {
  static const std::filesystem::path work = MakeEnvironment();
  return work;
}

}  // namespace quillmere::fuzz
