#pragma once
// The presentation engine as the drivers reach it: "PowerPoint.Application"
// served in-process. One running instance per thread can be attached to
// again until it quits, like an out-of-process server found by GetObject.

#include <memory>

#include "engine/core/EngineSession.h"
#include "objectmodel/automation/AutomationRuntime.h"

namespace quillmere::engine {

class EngineRuntime final : public AutomationRuntime {
 public:
  explicit EngineRuntime(EngineOptions options = {});

  Object GetObject(std::string_view progId) override;
  Object CreateObject(std::string_view progId) override;
  // Quit returns only when the engine is done.
  std::chrono::milliseconds QuitSettleTime() const override { return std::chrono::milliseconds(0); }
  // Draws the shape images still waiting in the running instance's batch.
  void FinishPendingWork() override;
  std::string TakeImageNotice() override;

 private:
  EngineOptions options_;
};

// Records the engine as the installed PowerPoint in the registry store so that
// the installation test finds it. Safe to call more than once.
void RegisterEngine();

}  // namespace quillmere::engine
