#include "component/DefaultRuntime.h"

#include "objectmodel/automation/windows/ComAutomationRuntime.h"
#include "support/registry/Settings.h"

namespace quillmere {

std::shared_ptr<AutomationRuntime> MakeDefaultRuntime() {
  // "Quillmere.PresentationEngine" puts the engine's own automation server in PowerPoint's place.
  return std::make_shared<ComAutomationRuntime>(AutomationServerClass());
}

}  // namespace quillmere
