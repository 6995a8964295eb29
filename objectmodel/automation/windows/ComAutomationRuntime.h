#pragma once
// The drivers' AutomationRuntime over COM: GetObject attaches to the running
// instance registered for a class, CreateObject starts one (a local server,
// or an in-process one), and the thread keeps a message filter that waits out
// a busy PowerPoint while the runtime lives.

#include <string>

#include "objectmodel/automation/AutomationRuntime.h"
#include "objectmodel/automation/windows/BusyMessageFilter.h"

namespace quillmere {

class ComAutomationRuntime final : public AutomationRuntime {
 public:
  // powerPointClass answers whenever "PowerPoint.Application" is asked for:
  // PowerPoint itself, or the presentation engine's server
  // ("Quillmere.PresentationEngine").
  explicit ComAutomationRuntime(std::string powerPointClass = "PowerPoint.Application");

  Object GetObject(std::string_view progId) override;
  Object CreateObject(std::string_view progId) override;
  // PowerPoint 2002 and 2003 disable their main window while a modal dialog is open.
  bool MainWindowDisabled() const override;

 private:
  std::string powerPointClass_;
  BusyMessageFilterScope busyFilter_;
};

}  // namespace quillmere
