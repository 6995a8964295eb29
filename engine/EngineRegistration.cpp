#include "engine/EngineRuntime.h"

#include "support/Registry.h"

namespace quillmere::engine {

void RegisterEngine() {
  try {
    cRegistry reg;
    reg.SetClassKey(kHKeyClassesRoot);
    reg.SetSectionKey("PowerPoint.Application\\CurVer");
    reg.SetValueKey("");
    reg.SetDefault(Value(std::string()));
    if (!reg.GetValue().AsString().empty()) return;
    reg.SetValueType(kRegSz);
    reg.SetValue(Value("PowerPoint.Application.16"));
  } catch (const std::exception&) {
    // Without a writable store the installation test reports PowerPoint missing.
  }
}

}  // namespace quillmere::engine
