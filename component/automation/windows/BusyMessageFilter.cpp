#include "component/automation/windows/BusyMessageFilter.h"

#include <ole2.h>

#include <atomic>

namespace quillmere {
namespace {

class BusyMessageFilter final : public IMessageFilter {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMessageFilter) {
      *out = static_cast<IMessageFilter*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsedMs, DWORD rejectType) override {
    if (rejectType == SERVERCALL_RETRYLATER && elapsedMs < kBusyRetryForMs) return kBusyRetryEveryMs;
    return static_cast<DWORD>(-1);  // give up: the call fails with 0x80010001
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override { return PENDINGMSG_WAITDEFPROCESS; }

 private:
  std::atomic<ULONG> references_{1};
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
