#pragma once
// Flips, soft edges, reflection and glow of a shape, and its adjustment values.

#include <cstdint>

#include "shapes/ShapeContext.h"

namespace quillmere {

struct ExportContext;

void WriteFlipsAndEffects(ExportContext& context, ShapeContext& c);
void WriteAdjustments(ExportContext& context, ShapeContext& c);

// The soft-edge type; a mixed one is derived from the radius.
std::int32_t SoftEdgeType(const Object& shape);
// The glow radius, never negative.
float GlowRadius(const Object& shape);
// How many adjustment values can be read, stopping at the first that cannot.
std::int32_t ReadableAdjustmentCount(const Object& shape);

}  // namespace quillmere
