#include "engine/comserver/EngineServerClass.h"

#include <oleauto.h>

#include <atomic>
#include <memory>

#include "engine/objects/document/ApplicationObjects.h"
#include "objectmodel/automation/windows/ExposedDispatch.h"
#include "support/storage/windows/SingleInterfaceObject.h"

namespace quillmere::engine {
namespace {

std::atomic<long> gLocks{0};
std::function<void()> gIdle;

void CheckIdle() {
  if (gLocks == 0 && ExposedDispatch::LiveCount() == 0 && gIdle) gIdle();
}

// The running Application as clients see it: it leaves the running object
// table when it quits, so that GetObject no longer finds it.
class ServedApplication final : public Dispatch {
 public:
  explicit ServedApplication(std::shared_ptr<ApplicationObject> app) : app_(std::move(app)) {}

  // The table keeps the instance alive until it quits, as PowerPoint stays running until then.
  void Register(IUnknown* exposed) {
    if (FAILED(RegisterActiveObject(exposed, kEngineServerClsid, ACTIVEOBJECT_STRONG, &cookie_))) cookie_ = 0;
  }
  bool HasQuit() const { return app_->Session()->quit; }

  Value Invoke(InvokeKind kind, std::string_view member, Args args) override {
    Value answer = app_->Invoke(kind, member, args);
    if (HasQuit()) Revoke();
    return answer;
  }
  std::string_view TypeName() const override { return app_->TypeName(); }

 private:
  void Revoke() {
    if (cookie_) RevokeActiveObject(cookie_, nullptr);
    cookie_ = 0;
  }

  std::shared_ptr<ApplicationObject> app_;
  DWORD cookie_ = 0;
};

// The instance that runs; it lives while a client or the running object table holds it.
std::weak_ptr<ServedApplication> gRunning;

EngineOptions ServerOptions() {
  EngineOptions options;
  options.drawImages = false;  // no renderer on Windows: image requests fail as failed PowerPoint calls do
  return options;
}

class EngineClassFactory final : public SingleInterfaceObject<IClassFactory, IID_IClassFactory> {
 public:

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      std::shared_ptr<ServedApplication> app = gRunning.lock();
      const bool started = !app || app->HasQuit();
      if (started) {
        app = std::make_shared<ServedApplication>(
            std::make_shared<ApplicationObject>(std::make_shared<EngineSession>(ServerOptions())));
        gRunning = app;
      }
      IDispatch* exposed = ExposedDispatch::Expose(app);
      if (started) app->Register(exposed);
      HRESULT result = exposed->QueryInterface(riid, out);
      exposed->Release();
      return result;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception&) {
      return E_FAIL;
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++gLocks;
    } else if (--gLocks == 0) {
      CheckIdle();
    }
    return S_OK;
  }
};

}  // namespace

IClassFactory* NewEngineClassFactory() { return new EngineClassFactory(); }

void OnEngineServerIdle(std::function<void()> handler) {
  gIdle = std::move(handler);
  ExposedDispatch::OnLastReleased(CheckIdle);
}

}  // namespace quillmere::engine
