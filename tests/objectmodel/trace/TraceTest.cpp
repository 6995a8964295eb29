#include "objectmodel/trace/Trace.h"

#include <gtest/gtest.h>

#include <future>

#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/objectmodel/trace/TraceSocketReceiver.h"

namespace quillmere {
namespace {

using testing::OnNewThread;
using testing::TraceSocketReceiver;
using TraceTest = testing::IsolatedUserFolders;

TEST_F(TraceTest, RecordLayout) {
  TraceSocketReceiver viewer;
  OnNewThread([] {
    Trace("a", "b");
    Trace(std::string("x"), std::vector<std::string>{"p", "q"}, 7, 2.5, true, Value(-3));
    Trace(std::string_view("only"));
  });
  for (const char* record : {"Quillmere: a\tb\t", "Quillmere: x\tp\tq\t7\t2.5\tTrue\t-3\t", "Quillmere: only\t"})
    EXPECT_EQ(viewer.Next(), record);
  EXPECT_EQ(viewer.Next(), std::nullopt);
}

TEST_F(TraceTest, ViewerIsLookedForOncePerThread) {
  std::promise<void> tracedEarly, viewerUp, tracedLate, viewerGone;
  std::thread early([&] {
    Trace("before the viewer");
    tracedEarly.set_value();
    viewerUp.get_future().wait();
    Trace("after the viewer");
  });
  tracedEarly.get_future().wait();
  std::thread late;
  {
    TraceSocketReceiver viewer;
    viewerUp.set_value();
    early.join();
    EXPECT_EQ(viewer.Next(), std::nullopt) << "a thread that searched before keeps its answer";

    late = std::thread([&] {
      Trace("found");
      tracedLate.set_value();
      viewerGone.get_future().wait();
      Trace("to a closed viewer");
    });
    tracedLate.get_future().wait();
    EXPECT_EQ(viewer.Next(), "Quillmere: found\t");
  }
  viewerGone.set_value();
  late.join();  // the send to the closed viewer returned without throwing
}

TEST_F(TraceTest, DebugOutputCarriesFirstValueOnly) {
  SetTraceDebugOutput(true);
  ::testing::internal::CaptureStderr();
  OnNewThread([] { Trace("first", "second"); });
  SetTraceDebugOutput(false);
  OnNewThread([] { Trace("silent"); });
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "first\n");
}

}  // namespace
}  // namespace quillmere
