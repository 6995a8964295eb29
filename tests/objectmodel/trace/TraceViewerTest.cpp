#include "objectmodel/trace/TraceViewer.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "objectmodel/trace/Trace.h"
#include "objectmodel/trace/TraceListener.h"
#include "objectmodel/trace/TraceSocket.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/objectmodel/trace/TraceSocketReceiver.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using testing::OnNewThread;
using TraceViewerTest = testing::IsolatedUserFolders;

// A socket file whose viewer is gone, as a crashed viewer leaves it.
void LeaveStaleSocket() {
  sockaddr_un address;
  ASSERT_TRUE(TraceSocketAddress(TraceSocketPath(), address));
  int s = socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_EQ(bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  close(s);
}

TEST_F(TraceViewerTest, PrintsRecordsAsLinesAndCleansUp) {
  LeaveStaleSocket();
  std::ostringstream out, err;
  {
    std::optional<TraceListener> listener = TraceListener::Open(err);
    ASSERT_TRUE(listener) << err.str();
    OnNewThread([] {
      Trace("a", "b");
      Trace("second");
    });
    std::atomic<bool> stop{true};  // the records are already queued
    listener->Run(out, stop);
  }
  EXPECT_EQ(out.str(), "Quillmere: a\tb\t\nQuillmere: second\t\n");
  EXPECT_FALSE(fs::exists(TraceSocketPath()));
}

TEST_F(TraceViewerTest, RefusesWhileAnotherViewerListens) {
  std::ostringstream out, err;
  std::atomic<bool> stop{true};
  {
    std::optional<TraceListener> first = TraceListener::Open(err);
    ASSERT_TRUE(first);
    EXPECT_EQ(RunTraceViewer(out, err, stop), 1);
    EXPECT_NE(err.str().find("Another trace viewer"), std::string::npos) << err.str();
    EXPECT_TRUE(fs::exists(TraceSocketPath())) << "the running viewer's socket stays";
  }
  EXPECT_EQ(RunTraceViewer(out, err, stop), 0);
  EXPECT_FALSE(fs::exists(TraceSocketPath()));
}

TEST_F(TraceViewerTest, FallsBackToPrivateTempFolder) {
  unsetenv("XDG_RUNTIME_DIR");
  std::ostringstream err;
  std::optional<TraceListener> listener = TraceListener::Open(err);
  ASSERT_TRUE(listener) << err.str();
  fs::path folder = fs::path(TraceSocketPath()).parent_path();
  EXPECT_EQ(folder.parent_path(), Folder("tmp"));
  EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
}

}  // namespace
}  // namespace quillmere
