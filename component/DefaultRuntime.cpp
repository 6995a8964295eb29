#include "component/DefaultRuntime.h"

#include "engine/EngineRuntime.h"

namespace quillmere {

std::shared_ptr<AutomationRuntime> MakeDefaultRuntime() { return std::make_shared<engine::EngineRuntime>(); }

}  // namespace quillmere
