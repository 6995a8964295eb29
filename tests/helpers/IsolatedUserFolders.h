#pragma once
// A fixture that points every per-user folder the library uses (config, data,
// runtime, temp) at fresh folders below one temporary root, and the registry
// store at the new config folder; everything is restored and removed after.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "utilities/registry/Registry.h"

namespace quillmere::testing {

class IsolatedUserFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    for (auto [variable, folder] : {std::pair{"XDG_CONFIG_HOME", "config"}, std::pair{"XDG_DATA_HOME", "data"},
                                    std::pair{"XDG_RUNTIME_DIR", "runtime"}, std::pair{"TMPDIR", "tmp"}}) {
      const char* old = getenv(variable);
      saved_.emplace_back(variable, old ? std::optional<std::string>(old) : std::nullopt);
      std::filesystem::create_directories(root_ / folder);
      setenv(variable, (root_ / folder).c_str(), 1);
    }
    SetRegistryFile("");
  }

  void TearDown() override {
    SetRegistryFile("");
    for (const auto& [variable, old] : saved_)
      old ? setenv(variable.c_str(), old->c_str(), 1) : unsetenv(variable.c_str());
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }

  std::filesystem::path Folder(const char* name) const { return root_ / name; }

  std::filesystem::path root_;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace quillmere::testing
