#pragma once
// The type-specific part of a Shape element, one writer per kind of shape.

#include <cstdint>

#include "shapes/ShapeContext.h"

namespace quillmere {

struct ExportContext;

// Auto shapes, text boxes and callouts: native ones by their properties, the rest as an image.
void WriteAutoShape(ExportContext& context, ShapeContext& c);
// The image of an auto shape the host cannot draw, exported unrotated and unflipped.
void WriteAutoShapeImage(ExportContext& context, ShapeContext& c, std::int32_t autoShapeType);
// The members of a group, each as a Shape of its own.
void WriteGroupItems(ExportContext& context, ShapeContext& c);
// Pictures, and every shape exported as one: levels, crops and the formatted image.
void WritePicture(ExportContext& context, ShapeContext& c);
void WritePlaceholder(ExportContext& context, ShapeContext& c);
// Sounds and movies.
void WriteMedia(ExportContext& context, ShapeContext& c);
// Charts, OLE objects and anything else: an image of the shape.
void WriteDefaultImage(ExportContext& context, ShapeContext& c);

// AutoShapeType, asking a copy for the mixed type 138 PowerPoint reports for some pictures.
std::int32_t ResolveAutoShapeType(const Object& shape);
// True when the shape's fill or outline shows.
bool FillOrLineVisible(const Object& shape);

}  // namespace quillmere
