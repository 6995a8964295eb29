#pragma once
// The frame of a shape (position, size, rotation) and, for connectors, what
// they connect.

#include "shapes/ShapeContext.h"

namespace quillmere {

// Left, Top, Width, Height, Rotation, LockAspectRatio.
void WriteShapeFrame(ShapeContext& c);
// Connector and, for connectors, ConnectorFormat.
void WriteConnector(ShapeContext& c);

}  // namespace quillmere
