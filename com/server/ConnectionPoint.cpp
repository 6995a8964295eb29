#include "com/server/ConnectionPoint.h"

#include <oleauto.h>

#include <algorithm>
#include <new>

#include "support/storage/windows/SingleInterfaceObject.h"

namespace quillmere::com {

ConnectionPoint::~ConnectionPoint() {
  for (auto& sink : sinks_) sink.second->Release();
}

void ConnectionPoint::Fire(DISPID event, VARIANT* arguments, UINT count) {
  // DISPPARAMS lists the arguments last first.
  std::vector<VARIANT> reversed(arguments, arguments + count);
  std::reverse(reversed.begin(), reversed.end());
  DISPPARAMS params{reversed.data(), nullptr, count, 0};
  // A sink may disconnect itself (or others) while handling the event.
  std::vector<std::pair<DWORD, IDispatch*>> sinks = sinks_;
  for (auto& sink : sinks) sink.second->AddRef();
  for (auto& sink : sinks) {
    sink.second->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    sink.second->Release();
  }
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = sourceIid_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = &container_;
  container_.AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  // Sinks answer the source interface; a plain IDispatch sink is taken too.
  IDispatch* dispatch = nullptr;
  if (FAILED(sink->QueryInterface(sourceIid_, reinterpret_cast<void**>(&dispatch))) &&
      FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = nextCookie_++;
  sinks_.emplace_back(*cookie, dispatch);
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  auto found = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const auto& s) { return s.first == cookie; });
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  found->second->Release();
  sinks_.erase(found);
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  // Optional for a connection point; hosts connect and disconnect by cookie.
  if (connections) *connections = nullptr;
  return E_NOTIMPL;
}

namespace {

class OnePointEnumeration final : public SingleInterfaceObject<IEnumConnectionPoints, IID_IEnumConnectionPoints> {
 public:
  OnePointEnumeration(IConnectionPoint* point, ULONG position) : point_(point), position_(position) {
    point_->AddRef();
  }

  STDMETHODIMP Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override {
    if (!points || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    if (count > 0 && position_ == 0) {
      points[given++] = point_;
      point_->AddRef();
      position_ = 1;
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    if (count == 0) return S_OK;
    bool skipped = count == 1 && position_ == 0;
    position_ = 1;
    return skipped ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    position_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumConnectionPoints** copy) override {
    if (!copy) return E_POINTER;
    *copy = new (std::nothrow) OnePointEnumeration(point_, position_);
    return *copy ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~OnePointEnumeration() override { point_->Release(); }

  IConnectionPoint* point_;
  ULONG position_;
};

}  // namespace

HRESULT EnumerateOnePoint(IConnectionPoint* point, IEnumConnectionPoints** points) {
  if (!points) return E_POINTER;
  *points = new (std::nothrow) OnePointEnumeration(point, 0);
  return *points ? S_OK : E_OUTOFMEMORY;
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The host's own loop must still see it.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace quillmere::com
