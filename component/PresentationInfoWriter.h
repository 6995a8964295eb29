#pragma once
// presentationinfo.xml: the presentation header, the slides and designs, and
// the values of the export context that every later writer reads.

#include <cstdint>
#include <string>
#include <string_view>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// index -1: the whole presentation; otherwise the slide at that 1-based
// position. Returns the path written, or empty text when cancelled.
std::string WritePresentationInfo(ExportContext& context, const Object& presentation, std::int32_t index);
// The slides of a "|"-separated list of slide numbers, in list order.
std::string WriteSelectionInfo(ExportContext& context, const Object& presentation, std::string_view slideList);

// Screen pixels for a size in points at the configured screen resolution.
void PointsToPixels(float& width, float& height);

class StepRunner;
// Reads the slide size into the export context with the point-to-pixel scale.
void ReadSlideSize(ExportContext& context, const Object& presentation, StepRunner& run, int step);
// Every slide as a quarter-size "slideN.png" in the output folder.
void ExportSlideImages(ExportContext& context, const Object& presentation, StepRunner& run, int step);

}  // namespace quillmere
