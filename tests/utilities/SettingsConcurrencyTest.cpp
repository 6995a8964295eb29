// The settings store shared by processes: eight writing and reading at once
// lose no key, and a writer killed in the middle of its writes leaves every
// value it finished, and a store the next process can use.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "support/registry/Settings.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "utilities/registry/Registry.h"

namespace quillmere {
namespace {

using SettingsConcurrencyTest = testing::IsolatedUserFolders;

constexpr int kProcesses = 8;
constexpr int kKeysEach = 40;

std::string ValueOf(int process, int key) {
  // Long enough to span several pages, so that a torn write would show.
  return std::to_string(process) + ":" + std::to_string(key) + ":" +
         std::string(3000, static_cast<char>('a' + key % 26));
}

// Runs body in a child process (a fresh connection to the store there) and
// gives its pid; the child's exit code is body's answer.
template <class F>
pid_t InChild(F&& body) {
  pid_t pid = fork();
  if (pid == 0) {
    SetRegistryFile("");  // never use a connection opened before the fork
    _exit(body());
  }
  return pid;
}

TEST_F(SettingsConcurrencyTest, EightProcessesWritingAndReadingLoseNothing) {
  SetRegistryFile("");
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p)
    children.push_back(InChild([p] {
      int bad = 0;
      for (int k = 0; k < kKeysEach; ++k) {
        SaveSetting("Concurrency", "P" + std::to_string(p), "K" + std::to_string(k), ValueOf(p, k));
        // Another process's key is either not written yet or whole.
        int other = (p + 1) % kProcesses;
        std::string seen = GetSetting("Concurrency", "P" + std::to_string(other), "K" + std::to_string(k), "");
        if (!seen.empty() && seen != ValueOf(other, k)) ++bad;
        if (GetSetting("Concurrency", "P" + std::to_string(p), "K" + std::to_string(k), "") != ValueOf(p, k)) ++bad;
      }
      return bad == 0 ? 0 : 1;
    }));
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a process saw a torn or missing value";
  }
  SetRegistryFile("");
  for (int p = 0; p < kProcesses; ++p)
    for (int k = 0; k < kKeysEach; ++k)
      ASSERT_EQ(GetSetting("Concurrency", "P" + std::to_string(p), "K" + std::to_string(k), "missing"), ValueOf(p, k))
          << p << "/" << k;
}

TEST_F(SettingsConcurrencyTest, WriterKilledMidWriteLeavesWhatItFinished) {
  SetRegistryFile("");
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  pid_t writer = InChild([&] {
    close(pipeEnds[0]);
    for (int k = 0;; ++k) {
      SaveSetting("Killed", "Writer", "K" + std::to_string(k), ValueOf(9, k));
      // Tell the parent this one is done; it kills us somewhere in a later write.
      if (write(pipeEnds[1], &k, sizeof k) != sizeof k) return 1;
    }
  });
  close(pipeEnds[1]);
  int finished = -1;
  for (int k; finished < 50 && read(pipeEnds[0], &k, sizeof k) == sizeof k;) finished = k;
  kill(writer, SIGKILL);
  int status = 0;
  waitpid(writer, &status, 0);
  close(pipeEnds[0]);
  ASSERT_GE(finished, 50);

  SetRegistryFile("");
  for (int k = 0; k <= finished; ++k)
    ASSERT_EQ(GetSetting("Killed", "Writer", "K" + std::to_string(k), "missing"), ValueOf(9, k)) << k;
  // The key being written when it died is whole or absent, and the store takes new writes.
  std::string next = GetSetting("Killed", "Writer", "K" + std::to_string(finished + 1), "absent");
  EXPECT_TRUE(next == "absent" || next == ValueOf(9, finished + 1));
  SaveSetting("Killed", "After", "K", "written");
  EXPECT_EQ(GetSetting("Killed", "After", "K", ""), "written");

  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((Folder("config") / "quillmere" / "registry.sqlite3").c_str(), &db), SQLITE_OK);
  std::string check;
  sqlite3_exec(
      db, "PRAGMA integrity_check",
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) += values[0] ? values[0] : "";
        return 0;
      },
      &check, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(check, "ok");
}

}  // namespace
}  // namespace quillmere
