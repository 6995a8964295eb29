#pragma once
// The error handling of the shape writers: a busy or failing PowerPoint is
// waited for (six retries per call), every failure is logged with the shape
// and its slide, master or layout, and the writer goes on with the next step.

#include <string>

#include "component/StepRunner.h"
#include "component/automation/Object.h"

namespace quillmere {

// location names the writer: " in Quillmere.bXML.ShapeProperties at line ".
StepRunner ShapeSteps(const Object& shape, std::string location);

}  // namespace quillmere
