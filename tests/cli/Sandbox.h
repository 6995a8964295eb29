#pragma once
// A throw-away home for one run of the tool: HOME, the XDG folders and TMPDIR
// all point inside a fresh temporary folder, so a run never touches the
// user's own settings, logs or temporary files.

#include <filesystem>
#include <string>
#include <vector>

namespace quillmere::clitest {

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path Home() const { return root_ / "home"; }
  std::filesystem::path Config() const { return root_ / "config"; }
  std::filesystem::path Data() const { return root_ / "data"; }
  std::filesystem::path Runtime() const { return root_ / "run"; }
  std::filesystem::path Temp() const { return root_ / "tmp"; }

  // "NAME=value" entries: the folders above, PATH and the sanitizers' options.
  std::vector<std::string> Environment() const;

  // The processes still running that were started with this environment,
  // which are those a run in the sandbox started and left behind.
  std::vector<int> LiveProcesses() const;

 private:
  std::filesystem::path root_;
};

}  // namespace quillmere::clitest
