#pragma once
// How the drivers reach PowerPoint: attach to a running instance or start one,
// by class name. The presentation engine serves this in-process; a COM build
// would answer with GetObject/CreateObject.

#include <chrono>
#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

class AutomationRuntime {
 public:
  virtual ~AutomationRuntime() = default;
  // Both throw ComError when no instance is running / none can be started.
  virtual Object GetObject(std::string_view progId) = 0;
  virtual Object CreateObject(std::string_view progId) = 0;
  // How long to let an instance settle after Quit before the driver returns.
  // An out-of-process PowerPoint needs 2000 ms; an in-process one none.
  virtual std::chrono::milliseconds QuitSettleTime() const { return std::chrono::milliseconds(2000); }
  // True when PowerPoint's main window exists and is disabled, that is when a
  // modal dialog is open in it. A backend without windows never has one.
  virtual bool MainWindowDisabled() const { return false; }
  // Writes what the backend still owes for calls that have returned (files
  // it makes in batches), so that an export has all its files when it
  // returns, also where it leaves the presentation open. PowerPoint writes
  // each file before its call returns.
  virtual void FinishPendingWork() {}
  // Why images asked for since the last call were not drawn (empty when they
  // were), for telling the user once. PowerPoint draws them or fails the call.
  virtual std::string TakeImageNotice() { return {}; }
};

}  // namespace quillmere
