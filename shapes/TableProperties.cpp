#include "shapes/TableProperties.h"

#include <cmath>
#include <utility>
#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "shapes/CellBorders.h"
#include "shapes/FillProperties.h"
#include "shapes/ShapeClassification.h"
#include "shapes/ShapeErrorHandler.h"
#include "shapes/TextProperties.h"

namespace quillmere {
namespace {

constexpr int kTableIndent = 4;
constexpr int kItemIndent = 8;
constexpr double kTolerance = 0.001;

struct Grid {
  std::vector<double> heights, widths, tops, lefts;  // lefts[j], tops[i]: sums of the columns and rows before
  double left = 0, top = 0;                         // the table shape's
};

// Whether the cell's shape starts exactly where its row and column do.
bool IsMergeOrigin(const Grid& g, const Object& cellShape, std::size_t row, std::size_t column) {
  double left = cellShape.Get("Left").AsSingle(), top = cellShape.Get("Top").AsSingle();
  bool leftOk = column == 0 ? left == g.left : std::abs(left - (g.left + g.lefts[column])) <= kTolerance;
  bool topOk = row == 0 ? top == g.top : std::abs(top - (g.top + g.tops[row])) < kTolerance;
  return leftOk && topOk;
}

// The number of rows (or columns) from `first` whose sizes add up to `extent`; -1 when none do.
int SpanOf(const std::vector<double>& sizes, std::size_t first, double extent) {
  double sum = 0;
  for (std::size_t k = first; k < sizes.size(); ++k) {
    sum += sizes[k];
    if (std::abs(sum - extent) < kTolerance) return static_cast<int>(k - first + 1);
  }
  return -1;
}

void WriteCellContent(ExportContext& context, const Object& cell, const Object& cellShape, pugi::xml_node element,
                      const Object& owner) {
  TextFrameProperties(context, cellShape, element);
  FillProperties(context, cellShape, element, "Fill", owner);
  CellBorders(context, cell, element, cellShape);
}

void WriteSpan(pugi::xml_node cell, std::size_t row, std::size_t column, int rowSpan, int columnSpan) {
  AddAttribute(kTableIndent, cell, "row", std::to_string(row + 1));
  AddAttribute(kTableIndent, cell, "column", std::to_string(column + 1));
  AddAttribute(kTableIndent, cell, "rowspan", std::to_string(rowSpan));
  AddAttribute(kTableIndent, cell, "colspan", std::to_string(columnSpan));
}

}  // namespace

void TableProperties(ExportContext& context, const Object& shape, pugi::xml_node shapeElement) {
  StepRunner run = ShapeSteps(context, shape, " in Quillmere.bXML.TableProperties at line ");
  pugi::xml_node element = AppendContainer(shapeElement, "Table");
  bool isTable = false;
  run.Step(1, [&] { isTable = shape.Get("Type").AsLong() == shape_type::kTable || shape.Get("HasTable").AsBool(); });
  if (!isTable) return;
  Object table, owner;
  Grid g;
  if (!run.Step(2, [&] {
        table = shape.Child("Table");
        owner = shape.Child("Parent");
        g.left = shape.Get("Left").AsSingle();
        g.top = shape.Get("Top").AsSingle();
        Object rows = table.Child("Rows"), columns = table.Child("Columns");
        for (std::int32_t i = 1, n = rows.Count(); i <= n; ++i) g.heights.push_back(rows.Item(i).Get("Height").AsSingle());
        for (std::int32_t j = 1, n = columns.Count(); j <= n; ++j)
          g.widths.push_back(columns.Item(j).Get("Width").AsSingle());
      }))
    return;
  AddAttribute(kTableIndent, element, "Columns", std::to_string(g.widths.size()));
  AddAttribute(kTableIndent, element, "Rows", std::to_string(g.heights.size()));
  int step = 3;
  for (std::string_view flag : {"FirstCol", "FirstRow", "LastCol", "LastRow", "HorizontalBanding", "VerticalBanding"})
    run.Step(step++, [&] { AddAttribute(kTableIndent, element, flag, BoolText(table.Get(flag).AsBool())); });
  pugi::xml_node rowGroup = AppendContainer(element, "RowGroup");
  for (double height : g.heights)
    AddAttribute(kItemIndent, AppendContainer(rowGroup, "RowItem"), "Height",
                 context.DecimalText(static_cast<float>(height), context.scaleY));
  pugi::xml_node colGroup = AppendContainer(element, "ColGroup");
  for (double width : g.widths)
    AddAttribute(kItemIndent, AppendContainer(colGroup, "ColItem"), "Width",
                 context.DecimalText(static_cast<float>(width), context.scaleX));
  for (double sum = 0; double height : g.heights) g.tops.push_back(std::exchange(sum, sum + height));
  for (double sum = 0; double width : g.widths) g.lefts.push_back(std::exchange(sum, sum + width));

  for (std::size_t i = 0; i < g.heights.size(); ++i) {
    pugi::xml_node row = AppendContainer(element, "Row");
    for (std::size_t j = 0; j < g.widths.size(); ++j) {
      pugi::xml_node cellElement = AppendContainer(row, "Cell");
      run.Step(20, [&] {
        Object cell = table.Call("Cell", static_cast<std::int32_t>(i + 1), static_cast<std::int32_t>(j + 1));
        Object cellShape = cell.Child("Shape");
        double height = cellShape.Get("Height").AsSingle(), width = cellShape.Get("Width").AsSingle();
        int rowSpan = 1, columnSpan = 1;
        if (height != g.heights[i] || width != g.widths[j]) {
          bool origin = IsMergeOrigin(g, cellShape, i, j);
          rowSpan = origin ? SpanOf(g.heights, i, height) : -1;
          columnSpan = origin ? SpanOf(g.widths, j, width) : -1;
          if (rowSpan < 1 || columnSpan < 1) return;  // covered by a merged region
        }
        WriteSpan(cellElement, i, j, rowSpan, columnSpan);
        WriteCellContent(context, cell, cellShape, cellElement, owner);
      });
    }
  }
}

}  // namespace quillmere
