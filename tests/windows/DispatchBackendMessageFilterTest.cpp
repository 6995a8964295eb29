// The runtime's message filter, as COM consults it when a server is busy.

#include <gtest/gtest.h>

#include "objectmodel/automation/windows/ComAutomationRuntime.h"
#include "tests/windows/ComApartment.h"

namespace quillmere::testing {
namespace {

using DispatchBackendMessageFilterTest = ComApartmentTest;

// Before the writers see a rejection, COM itself retries a server that asks
// to be called later, for a while; the thread's own filter is back afterwards.
TEST_F(DispatchBackendMessageFilterTest, RuntimeKeepsABusyMessageFilterOnItsThreadWhileItLives) {
  auto current = [] {
    IMessageFilter* filter = nullptr;
    CoRegisterMessageFilter(nullptr, &filter);  // take it out to look at it, then put it back
    CoRegisterMessageFilter(filter, nullptr);
    return filter;
  };
  EXPECT_EQ(current(), nullptr);
  {
    ComAutomationRuntime runtime;
    IMessageFilter* filter = current();
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), kBusyRetryEveryMs);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, kBusyRetryForMs - 1, SERVERCALL_RETRYLATER), kBusyRetryEveryMs);
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, kBusyRetryForMs, SERVERCALL_RETRYLATER), static_cast<DWORD>(-1));
    EXPECT_EQ(filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), static_cast<DWORD>(-1));
    EXPECT_EQ(filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr), SERVERCALL_ISHANDLED);
    filter->Release();
  }
  EXPECT_EQ(current(), nullptr);
}

}  // namespace
}  // namespace quillmere::testing
