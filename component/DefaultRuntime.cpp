#include "component/DefaultRuntime.h"

#include "engine/EngineRuntime.h"
#include "engine/package/LibreOfficeInstallation.h"

namespace quillmere {

std::shared_ptr<AutomationRuntime> MakeDefaultRuntime() { return std::make_shared<engine::EngineRuntime>(); }

std::shared_ptr<AutomationRuntime> MakeEngineRuntime(const EngineChoices& choices) {
  engine::EngineOptions options;
  if (choices.emulatedMajorVersion != 0) options.emulatedMajorVersion = choices.emulatedMajorVersion;
  options.drawImages = choices.drawImages;
  if (!choices.shareShapeImages) options.shapeImagesToShare = 0;
  return std::make_shared<engine::EngineRuntime>(options);
}

std::filesystem::path InstalledOffice() { return engine::FindSoffice(); }

}  // namespace quillmere
