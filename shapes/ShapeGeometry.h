#pragma once
// The frame of a shape (position, size, rotation) and, for connectors, what
// they connect.

#include "shapes/ShapeContext.h"

namespace quillmere {

struct ExportContext;

// Left, Top, Width, Height, Rotation, LockAspectRatio.
void WriteShapeFrame(ExportContext& context, ShapeContext& c);
// Connector and, for connectors, ConnectorFormat.
void WriteConnector(ExportContext& context, ShapeContext& c);

}  // namespace quillmere
