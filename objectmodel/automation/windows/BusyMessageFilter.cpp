#include "objectmodel/automation/windows/BusyMessageFilter.h"

#include <ole2.h>

#include "support/storage/windows/SingleInterfaceObject.h"

namespace quillmere {
namespace {

class BusyMessageFilter final : public SingleInterfaceObject<IMessageFilter, IID_IMessageFilter> {
 public:
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    if (rejectType == SERVERCALL_RETRYLATER && elapsedMs < kBusyRetryForMs) return kBusyRetryEveryMs;
    return static_cast<DWORD>(-1);  // give up: the call fails with 0x80010001
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }
};

}  // namespace

BusyMessageFilterScope::BusyMessageFilterScope() {
  auto* filter = new BusyMessageFilter();
  registered_ = SUCCEEDED(CoRegisterMessageFilter(filter, &previous_));
  filter->Release();  // COM holds it while registered
}

BusyMessageFilterScope::~BusyMessageFilterScope() {
  if (!registered_) return;
  CoRegisterMessageFilter(previous_, nullptr);
  if (previous_) previous_->Release();
}

}  // namespace quillmere
