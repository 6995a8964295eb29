#pragma once
// Who answers for PowerPoint when the host names no runtime: the presentation
// engine in-process on Linux; on Windows the class that a program setting
// names (Quillmere\Options\AutomationServer), PowerPoint itself by default.

#include <memory>

#include "component/automation/AutomationRuntime.h"

namespace quillmere {

std::shared_ptr<AutomationRuntime> MakeDefaultRuntime();

}  // namespace quillmere
