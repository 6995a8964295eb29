#pragma once
// The error handling of the shape writers: a busy or failing PowerPoint is
// waited for (six retries per call), every failure is logged with the shape
// and its slide, master or layout, and the writer goes on with the next step.

#include <functional>
#include <string>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The retry rule every writer of a shape's parts shares, with its own words:
// label opens each report ("Shape Properties: "), location names the writer
// (" in Quillmere.bXML.ShapeProperties at line "), what names the failing
// object is appended.
StepRunner RetryingSteps(ExportContext& context, std::string label, std::string location,
                         std::function<std::string()> subject);

// location names the writer: " in Quillmere.bXML.ShapeProperties at line ".
StepRunner ShapeSteps(ExportContext& context, const Object& shape, std::string location);
// The text writers' reports, which name the shape but not its slide.
StepRunner TextSteps(ExportContext& context, const Object& shape);

}  // namespace quillmere
