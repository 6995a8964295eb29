#include "shapes/ShapeGeometry.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/LineGeometry.h"

namespace quillmere {
namespace {

// msoConnectorStraight and msoConnectorElbow; curved connectors get no coordinates.

constexpr float kFullArcAngle = -90.0f;

void WritePosition(ExportContext& context, ShapeContext& c) {
  c.run.Step(20, [&] {
    AddElement(kShapeIndent, c.element, "Left", context.DecimalText(c.shape.Get("Left").AsSingle(), context.scaleX));
  });
  c.run.Step(21, [&] {
    AddElement(kShapeIndent, c.element, "Top", context.DecimalText(c.shape.Get("Top").AsSingle(), context.scaleY));
  });
  c.run.Step(22, [&] {
    AddElement(kShapeIndent, c.element, "Width", context.DecimalText(c.shape.Get("Width").AsSingle(), context.scaleX));
  });
  c.run.Step(23, [&] {
    AddElement(kShapeIndent, c.element, "Height",
               context.DecimalText(c.shape.Get("Height").AsSingle(), context.scaleY));
  });
}

void WriteConnectorFormat(ShapeContext& c) {
  pugi::xml_node format = AppendContainer(c.element, "ConnectorFormat");
  Object connector;
  c.run.Step(30, [&] { connector = c.shape.Child("ConnectorFormat"); });
  c.run.Step(
      31, [&] { AddElement(kShapeIndent, format, "ConnectorType", std::to_string(connector.Get("Type").AsLong())); });
  for (std::string end : {"Begin", "End"}) {
    bool connected = false;
    c.run.Step(32, [&] {
      connected = connector.Get(end + "Connected").AsBool();
      AddElement(kShapeIndent, format, end + "Connected", BoolText(connected));
    });
    if (!connected) continue;
    c.run.Step(33, [&] {
      AddElement(kShapeIndent, format, end + "ConnectedShapeId",
                 std::to_string(connector.Child(end + "ConnectedShape").Get("id").AsLong()));
    });
    c.run.Step(34, [&] {
      AddElement(kShapeIndent, format, end + "ConnectionSite",
                 std::to_string(connector.Get(end + "ConnectionSite").AsLong()));
    });
  }
}

}  // namespace

void WriteShapeFrame(ExportContext& context, ShapeContext& c) {
  bool autoShape = c.kind.type == shape_type::kAutoShape || c.kind.type == shape_type::kTextBox;
  bool arc = false;
  float first = 0.0f, second = 0.0f;
  if (autoShape) {
    c.run.Step(24, [&] { arc = c.shape.Get("AutoShapeType").AsLong() == auto_shape::kArc; });
  }
  if (arc) {
    // The frame of the whole ellipse, not of the visible part of the arc.
    c.run.Step(25, [&] {
      Object adjustments = c.shape.Child("Adjustments");
      first = adjustments.Get("Item", 1).AsSingle();
      second = adjustments.Get("Item", 2).AsSingle();
      adjustments.Put("Item", 1, kFullArcAngle);
      adjustments.Put("Item", 2, kFullArcAngle);
    });
  }
  WritePosition(context, c);
  if (arc) {
    c.run.Step(26, [&] {
      Object adjustments = c.shape.Child("Adjustments");
      adjustments.Put("Item", 1, first);
      adjustments.Put("Item", 2, second);
    });
  }
  c.run.Step(27, [&] {
    AddElement(kShapeIndent, c.element, "Rotation", context.PlatformText(c.shape.Get("Rotation").AsSingle()));
  });
  c.run.Step(28, [&] {
    AddElement(kShapeIndent, c.element, "LockAspectRatio", BoolText(c.shape.Get("LockAspectRatio").AsBool()));
  });
  if (c.kind.type == shape_type::kLine)
    c.run.Step(70, [&] { WriteStraightLineCoordinates(context, c.shape, c.element); });
}

void WriteConnector(ExportContext& context, ShapeContext& c) {
  bool connector = false;
  c.run.Step(29, [&] { connector = IsConnector(c.shape); });
  AddElement(kShapeIndent, c.element, "Connector", BoolText(connector));
  if (!connector) return;
  c.run.Step(71, [&] {
    std::int32_t type = c.shape.Child("ConnectorFormat").Get("Type").AsLong();
    if (type == connector::kStraight)
      WriteStraightLineCoordinates(context, c.shape, c.element);
    else if (type == connector::kElbow)
      WriteElbowCoordinates(context, c.shape, c.element);
  });
  WriteConnectorFormat(c);
}

}  // namespace quillmere
