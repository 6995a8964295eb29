#pragma once
// How a shape is exported: the type it is written as (a freeform, a linked
// picture or a shape with text effects becomes a picture, a large group one
// image, a placeholder holding a table a table) and the marks the later steps
// depend on.

#include <cstdint>

#include "component/StepRunner.h"
#include "component/automation/Object.h"

namespace quillmere {

namespace shape_type {
inline constexpr std::int32_t kAutoShape = 1, kCallout = 2, kChart = 3, kFreeform = 5, kGroup = 6, kEmbeddedOle = 7,
                              kLine = 9, kLinkedOle = 10, kLinkedPicture = 11, kOleControl = 12, kPicture = 13,
                              kPlaceholder = 14, kTextEffect = 15, kMedia = 16, kTextBox = 17, kTable = 19, kInk = 22,
                              kInkComment = 23;
}

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
