#include "engine/objects/shapes/TableObjects.h"

#include <array>
#include <numeric>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeGeometry.h"
#include "engine/objects/format/FillFormatObjects.h"
#include "engine/objects/shapes/ShapeObjects.h"
#include "engine/objects/text/TextFrame2Objects.h"

namespace quillmere::engine {
namespace {

template <class Part>
Value PartOf(TableObject& t, int row, int column) {
  return Value(std::make_shared<Part>(t.Session(), std::static_pointer_cast<TableObject>(t.shared_from_this()), row,
                                      column));
}

template <class Part>
const GridCell& At(const Part& p) {
  return p.table->grid.cells[static_cast<std::size_t>(p.row)][static_cast<std::size_t>(p.column)];
}

double Sum(const std::vector<double>& sizes, int from, int count) {
  return std::accumulate(sizes.begin() + from, sizes.begin() + from + count, 0.0);
}

// The frame of the region the cell belongs to, on the slide.
Frame CellFrame(const CellShapeObject& s) {
  const GridCell& cell = At(s);
  const TableGrid& grid = s.table->grid;
  ShapeObject& frame = *s.table->shape;
  Frame table = SlideFrame(*frame.doc, frame.part, frame.element);
  return {table.left + Sum(grid.columnWidths, 0, cell.originColumn), table.top + Sum(grid.rowHeights, 0, cell.originRow),
          Sum(grid.columnWidths, cell.originColumn, cell.columnSpan), Sum(grid.rowHeights, cell.originRow, cell.rowSpan)};
}

// A cell's text, fill and borders are read like a shape's, with the cell element standing for the shape.
template <class Part>
std::shared_ptr<ShapeObject> CellAsShape(const Part& p) {
  ShapeObject& frame = *p.table->shape;
  return std::make_shared<ShapeObject>(p.table->Session(), frame.doc, frame.part, At(p).cell, frame.parent);
}

// The cell's line element of each PpBorderType, 1..6: top, left, bottom,
// right, the diagonal down from the top left and the one up from the bottom left.
constexpr std::array<const char*, 6> kBorderLines{"lnT", "lnL", "lnB", "lnR", "lnTlToBr", "lnBlToTr"};

Value Flag(const TableObject& t, const char* attribute) { return MsoBool(t.grid.properties.attribute(attribute).as_bool()); }

Value Points(double points) { return Value(static_cast<float>(points)); }

int Index(const Value& index, int count, std::string_view collection) { return CollectionIndex(index, count, collection) - 1; }

}  // namespace

const MemberTable<TableObject>& TableObject::Members() {
  static const MemberTable<TableObject> table{
      {.name = "Rows", .get = [](TableObject& t, Args) { return PartOf<RowsObject>(t, -1, -1); }},
      {.name = "Columns", .get = [](TableObject& t, Args) { return PartOf<ColumnsObject>(t, -1, -1); }},
      {.name = "Cell",
       .call =
           [](TableObject& t, Args a) {
             int row = Index(ArgAt(a, 0), t.grid.Rows(), "Table.Cell");
             int column = Index(ArgAt(a, 1), t.grid.Columns(), "Table.Cell");
             return PartOf<CellObject>(t, row, column);
           }},
      {.name = "FirstRow", .get = [](TableObject& t, Args) { return Flag(t, "firstRow"); }},
      {.name = "FirstCol", .get = [](TableObject& t, Args) { return Flag(t, "firstCol"); }},
      {.name = "LastRow", .get = [](TableObject& t, Args) { return Flag(t, "lastRow"); }},
      {.name = "LastCol", .get = [](TableObject& t, Args) { return Flag(t, "lastCol"); }},
      {.name = "HorizontalBanding", .get = [](TableObject& t, Args) { return Flag(t, "bandRow"); }},
      {.name = "VerticalBanding", .get = [](TableObject& t, Args) { return Flag(t, "bandCol"); }},
  };
  return table;
}

template <>
const MemberTable<RowsObject>& RowsObject::Members() {
  static const MemberTable<RowsObject> table{
      {.name = "Count", .get = [](RowsObject& r, Args) { return Value(r.table->grid.Rows()); }},
      {.name = "Item",
       .get =
           [](RowsObject& r, Args a) {
             return PartOf<RowObject>(*r.table, Index(ArgAt(a, 0), r.table->grid.Rows(), "Rows"), -1);
           }},
  };
  return table;
}

template <>
const MemberTable<RowObject>& RowObject::Members() {
  static const MemberTable<RowObject> table{
      {.name = "Height",
       .get = [](RowObject& r, Args) { return Points(r.table->grid.rowHeights[static_cast<std::size_t>(r.row)]); }},
  };
  return table;
}

template <>
const MemberTable<ColumnsObject>& ColumnsObject::Members() {
  static const MemberTable<ColumnsObject> table{
      {.name = "Count", .get = [](ColumnsObject& c, Args) { return Value(c.table->grid.Columns()); }},
      {.name = "Item",
       .get =
           [](ColumnsObject& c, Args a) {
             return PartOf<ColumnObject>(*c.table, -1, Index(ArgAt(a, 0), c.table->grid.Columns(), "Columns"));
           }},
  };
  return table;
}

template <>
const MemberTable<ColumnObject>& ColumnObject::Members() {
  static const MemberTable<ColumnObject> table{
      {.name = "Width",
       .get = [](ColumnObject& c, Args) { return Points(c.table->grid.columnWidths[static_cast<std::size_t>(c.column)]); }},
  };
  return table;
}

template <>
const MemberTable<CellObject>& CellObject::Members() {
  static const MemberTable<CellObject> table{
      {.name = "Shape", .get = [](CellObject& c, Args) { return PartOf<CellShapeObject>(*c.table, c.row, c.column); }},
      {.name = "Borders", .get = [](CellObject& c, Args) { return PartOf<BordersObject>(*c.table, c.row, c.column); }},
  };
  return table;
}

template <>
const MemberTable<BordersObject>& BordersObject::Members() {
  static const MemberTable<BordersObject> table{
      {.name = "Item",
       .call =
           [](BordersObject& b, Args a) {
             int type = Index(ArgAt(a, 0), static_cast<int>(kBorderLines.size()), "Borders");
             return Value(std::make_shared<LineFormatObject>(b.Session(), CellAsShape(b),
                                                             kBorderLines[static_cast<std::size_t>(type)]));
           }},
  };
  return table;
}

template <>
const MemberTable<CellShapeObject>& CellShapeObject::Members() {
  static const MemberTable<CellShapeObject> table{
      {.name = "Left", .get = [](CellShapeObject& s, Args) { return Points(CellFrame(s).left); }},
      {.name = "Top", .get = [](CellShapeObject& s, Args) { return Points(CellFrame(s).top); }},
      {.name = "Width", .get = [](CellShapeObject& s, Args) { return Points(CellFrame(s).width); }},
      {.name = "Height", .get = [](CellShapeObject& s, Args) { return Points(CellFrame(s).height); }},
      {.name = "HasTextFrame", .get = [](CellShapeObject& s, Args) { return MsoBool(static_cast<bool>(At(s).cell)); }},
      {.name = "TextFrame",
       .get = [](CellShapeObject& s, Args) { return Value(std::make_shared<TextFrameObject>(s.Session(), CellAsShape(s))); }},
      {.name = "TextFrame2",
       .sinceVersion = 12,
       .get = [](CellShapeObject& s, Args) { return Value(std::make_shared<TextFrame2Object>(s.Session(), CellAsShape(s))); }},
      {.name = "Fill",
       .get = [](CellShapeObject& s, Args) { return Value(std::make_shared<FillFormatObject>(s.Session(), CellAsShape(s))); }},
      {.name = "Parent",
       .get = [](CellShapeObject& s, Args) { return Value(s.table->shape->parent); }},
  };
  return table;
}

}  // namespace quillmere::engine
