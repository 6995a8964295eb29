#include "shapes/CellBorders.h"

#include <array>
#include <string_view>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/LineProperties.h"
#include "shapes/ShapeErrorHandler.h"

namespace quillmere {
namespace {

constexpr int kCellBordersIndent = 16;

struct BorderSide {
  std::string_view element;
  std::int32_t index;  // PowerPoint's border type of the side
};
constexpr std::array<BorderSide, 4> kSides{
    {{"BorderLeft", 2}, {"BorderTop", 1}, {"BorderRight", 4}, {"BorderBottom", 3}}};

}  // namespace

void CellBorders(ExportContext& context, const Object& cell, pugi::xml_node cellElement, const Object& cellShape) {
  StepRunner run = ShapeSteps(context, cellShape, " in Quillmere.bXML.BorderProperties at line ");
  pugi::xml_node borders = AppendContainer(cellElement, "Borders");
  int step = 1;
  for (const BorderSide& side : kSides) {
    pugi::xml_node sideElement = AppendContainer(borders, side.element);
    Object line;
    run.Step(step++, [&] { line = cell.Child("Borders").Item(side.index); });
    if (!line) continue;
    LineProperties(context, cellShape, sideElement, line);
    run.Step(step++, [&] {
      AddElement(kCellBordersIndent, sideElement, "Weight", context.PlatformText(line.Get("Weight").AsSingle()));
    });
    run.Step(step++, [&] {
      AddElement(kCellBordersIndent, sideElement, "Forecolor", std::to_string(line.Child("ForeColor").Get("RGB").AsLong()));
    });
    run.Step(step++,
             [&] { AddElement(kCellBordersIndent, sideElement, "DashStyle", std::to_string(line.Get("DashStyle").AsLong())); });
  }
}

}  // namespace quillmere
