#pragma once
// The Transition element of a slide and the transition's duration.

#include <pugixml.hpp>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends Transition to the slide element; each value is one step of run.
void WriteTransition(ExportContext& context, const Object& slide, pugi::xml_node slideElement, StepRunner& run,
                     int firstStep);

// Seconds: PowerPoint 2010 and later report it; earlier ones imply it by speed.
float GetTransitionDuration(ExportContext& context, const Object& slide);

}  // namespace quillmere
