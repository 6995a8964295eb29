#pragma once
// A public class with events: the COM frame plus a connection point container
// holding the one connection point of its source interface.

#include "com/server/ConnectionPoint.h"
#include "com/server/DispatchObject.h"

namespace quillmere::com {

template <class Interface>
class EventSourceObject : public DispatchObject<Interface>, public IConnectionPointContainer {
 public:
  EventSourceObject(const IID& iid, const CLSID& clsid, const IID& sourceIid)
      : DispatchObject<Interface>(iid, clsid, &sourceIid), events_(*this, sourceIid) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
    return DispatchObject<Interface>::QueryInterface(riid, object);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return DispatchObject<Interface>::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return DispatchObject<Interface>::Release(); }

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    return EnumerateOnePoint(&events_, points);
  }
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (riid != events_.SourceIid()) return CONNECT_E_NOCONNECTION;
    *point = &events_;
    events_.AddRef();
    return S_OK;
  }

 protected:
  void* OtherInterface(REFIID riid) override {
    return riid == IID_IConnectionPointContainer ? static_cast<IConnectionPointContainer*>(this) : nullptr;
  }
  ConnectionPoint& Events() { return events_; }

 private:
  ConnectionPoint events_;
};

}  // namespace quillmere::com
