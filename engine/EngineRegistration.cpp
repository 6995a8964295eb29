#include "engine/EngineRuntime.h"

#include "utilities/registry/Registry.h"

namespace quillmere::engine {

void RegisterEngine() {
  try {
    cRegistry reg = PowerPointCurrentVersionKey();
    if (!reg.GetValue().AsString().empty()) return;
    reg.SetValueType(kRegSz);
    reg.SetValue(Value("PowerPoint.Application.16"));
  } catch (const std::exception&) {
    // Without a writable store the installation test reports PowerPoint missing.
  }
}

}  // namespace quillmere::engine
