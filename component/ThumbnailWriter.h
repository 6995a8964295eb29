#pragma once
// thumbnails.xml and the small slide images a host shows before importing.

#include <cstdint>
#include <string>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The work between opening and closing: images, scale factors, the list.
// Its failures go to the driver's handler; returns the path of thumbnails.xml.
std::string WriteThumbnails(ExportContext& context, const Object& presentation, StepRunner& run);

std::string WriteThumbnailList(ExportContext& context, std::int32_t firstNumber, std::int32_t count, float widthPixels,
                               float heightPixels, const Object& presentation, StepRunner& run);
// The word the slide images are named with, found from the first PNG in the output folder.
std::string GetPowerPointPrefix(ExportContext& context);

}  // namespace quillmere
