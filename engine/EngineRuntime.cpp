#include "engine/EngineRuntime.h"

#include "engine/core/MemberTable.h"
#include "engine/objects/document/ApplicationObjects.h"
#include "engine/objects/images/SlideImages.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kProgId = "powerpoint.application";

// The running instance of this thread, as a running-object table would hold it.
thread_local std::weak_ptr<ApplicationObject> tRunning;

[[noreturn]] void CannotCreate() { throw ComError(hr::kCannotCreateObject, "ActiveX component can't create object"); }

}  // namespace

EngineRuntime::EngineRuntime(EngineOptions options) : options_(options) { RegisterEngine(); }

Object EngineRuntime::GetObject(std::string_view progId) {
  if (LowerAscii(progId) != kProgId) CannotCreate();
  auto app = tRunning.lock();
  if (!app || app->Session()->quit) CannotCreate();
  return Object(app);
}

void EngineRuntime::FinishPendingWork() {
  if (auto app = tRunning.lock()) DrawPendingImages(*app->Session());
}

std::string EngineRuntime::TakeImageNotice() { return engine::TakeImageNotice(); }

Object EngineRuntime::CreateObject(std::string_view progId) {
  if (LowerAscii(progId) != kProgId) CannotCreate();
  auto app = std::make_shared<ApplicationObject>(std::make_shared<EngineSession>(options_));
  tRunning = app;
  return Object(app);
}

}  // namespace quillmere::engine
