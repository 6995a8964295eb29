#pragma once
// Helpers for the renderer tests: a fixture for those that draw with the real
// renderer, stand-in render servers written as shell scripts, and what a
// renderer may leave behind.

#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/package/LibreOfficeInstallation.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/MissingTool.h"

namespace quillmere::testing {

// Isolated user folders, and the test skipped (failed in CI) without LibreOffice.
class RendererTest : public IsolatedUserFolders {
 protected:
  void SetUp() override {
    IsolatedUserFolders::SetUp();
    QUILLMERE_REQUIRE_TOOL(!engine::FindSoffice().empty(), "LibreOffice");
  }
};

// An executable shell script with the given body.
inline std::filesystem::path WriteScript(const std::filesystem::path& file, const std::string& body) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
  chmod(file.c_str(), 0755);
  return file;
}

// The renderer's work folders and deck copies ("render-*") under the folder.
inline std::vector<std::filesystem::path> RenderLeftovers(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
    if (it->path().filename().string().starts_with("render-")) found.push_back(it->path());
  return found;
}

// Whether the process whose id the file holds is still there after a moment
// for its parent to reap it.
inline bool StillRunning(const std::filesystem::path& pidFile) {
  int pid = 0;
  std::ifstream(pidFile) >> pid;
  if (pid <= 0) return false;
  for (int i = 0; i < 50; ++i) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(status, line)) return false;
    // A zombie is gone for every purpose but its parent's wait.
    size_t close = line.rfind(')');
    if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z') return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace quillmere::testing
