#pragma once
// One source interface's connection point: the hosts' sinks (IDispatch), and
// raising an event on each of them. Lives inside its container and shares its
// reference count.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <utility>
#include <vector>

namespace quillmere::com {

class ConnectionPoint final : public IConnectionPoint {
 public:
  ConnectionPoint(IConnectionPointContainer& container, const IID& sourceIid)
      : container_(container), sourceIid_(sourceIid) {}
  ~ConnectionPoint();
  ConnectionPoint(const ConnectionPoint&) = delete;
  ConnectionPoint& operator=(const ConnectionPoint&) = delete;

  const IID& SourceIid() const { return sourceIid_; }

  // Raises the event on every sink; arguments in declaration order (by-reference
  // ones as VT_BYREF, read back by the caller afterwards).
  void Fire(DISPID event, VARIANT* arguments, UINT count);

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return container_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return container_.Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

 private:
  IConnectionPointContainer& container_;
  const IID& sourceIid_;
  std::vector<std::pair<DWORD, IDispatch*>> sinks_;
  DWORD nextCookie_ = 1;
};

// An enumeration of a container's one connection point, for EnumConnectionPoints.
HRESULT EnumerateOnePoint(IConnectionPoint* point, IEnumConnectionPoints** points);

// Runs the thread's pending window messages once, so that the host stays
// responsive while an export keeps its thread.
void PumpPendingMessages();

}  // namespace quillmere::com
