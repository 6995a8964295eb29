#pragma once
// How a shape is exported: the type it is written as (a freeform, a linked
// picture or a shape with text effects becomes a picture, a large group one
// image, a placeholder holding a table a table) and the marks the later steps
// depend on.

#include <cstdint>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"
#include "objectmodel/powerpoint/Enumerations.h"

namespace quillmere {

struct ShapeClass {
  std::int32_t firstType = 0;  // Type as PowerPoint reports it
  std::int32_t type = 0;       // the type the shape is written as
  bool textEffects = false;    // exported as a picture whatever its type
  bool patternPicture = false;  // a pattern fill, exported at slide size
  bool freeform = false;
  bool freeformWithText = false;
  bool narration = false;  // an already imported narration sound: not written at all
};

ShapeClass ClassifyShape(const Object& shape, std::int16_t majorVersion, StepRunner& run);

// True for an auto shape PowerPoint reports as a connector.
bool IsConnector(const Object& shape);
// True when the shape has a text frame holding text.
bool HasText(const Object& shape);
// More than 30 members, all of which EMF renders: exported as one image.
bool IsLargeEmfGroup(const Object& group);

}  // namespace quillmere
