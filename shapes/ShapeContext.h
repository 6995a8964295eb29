#pragma once
// What the steps of one shape's export share.

#include <cstdint>

#include <pugixml.hpp>

#include "objectmodel/StepRunner.h"
#include "objectmodel/automation/Object.h"
#include "shapes/ShapeClassification.h"

namespace quillmere {

struct ShapeContext {
  Object shape;
  pugi::xml_node element;  // the Shape element
  StepRunner& run;
  std::int16_t majorVersion;
  ShapeClass kind;
};

// Child elements of Shape sit at this indentation.
inline constexpr int kShapeIndent = 8;

}  // namespace quillmere
