#pragma once
// Who answers for PowerPoint when the host names no runtime: the presentation
// engine in-process on Linux; on Windows the class that a program setting
// names (Quillmere\Options\AutomationServer), PowerPoint itself by default.

#include <filesystem>
#include <memory>

#include "objectmodel/automation/AutomationRuntime.h"

namespace quillmere {

std::shared_ptr<AutomationRuntime> MakeDefaultRuntime();

#ifndef _WIN32
// What the tool chooses of the presentation engine it runs.
struct EngineChoices {
  int emulatedMajorVersion = 0;  // 0: the current version
  bool drawImages = true;
  // False keeps shape images to one LibreOffice, where each process already has a core of its own.
  bool shareShapeImages = true;
};
std::shared_ptr<AutomationRuntime> MakeEngineRuntime(const EngineChoices& choices);

// The LibreOffice the engine draws images with; empty when none is installed.
std::filesystem::path InstalledOffice();
#endif

}  // namespace quillmere
