#pragma once
// Shape.Table: the rows and columns of a table and each cell with the shape
// PowerPoint gives it, whose frame is that of the merged region the cell
// belongs to, and whose text frame is the cell's text, and with the lines of
// its borders.

#include <memory>
#include <string_view>

#include "engine/model/shapes/TableGrid.h"
#include "engine/objects/format/ShapeFormatObjects.h"

namespace quillmere::engine {

class TableObject final : public EngineObject<TableObject> {
 public:
  static constexpr std::string_view kTypeName = "Table";
  static const MemberTable<TableObject>& Members();
  TableObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)), grid(shape->doc->TableGridOf(TableOf(shape->element))) {}
  std::shared_ptr<ShapeObject> shape;  // the graphic frame
  TableGrid grid;
};

// A row, a column, a cell, a cell's borders or a cell's shape of a table; members are defined per name.
template <FormatName Name>
class TablePartObject final : public EngineObject<TablePartObject<Name>> {
 public:
  static constexpr std::string_view kTypeName = Name.View();
  static const MemberTable<TablePartObject>& Members();
  TablePartObject(std::shared_ptr<EngineSession> s, std::shared_ptr<TableObject> t, int r, int c)
      : EngineObject<TablePartObject<Name>>(std::move(s)), table(std::move(t)), row(r), column(c) {}
  std::shared_ptr<TableObject> table;
  int row, column;  // 0-based; -1 where the part has none
};

using RowsObject = TablePartObject<"Rows">;
using RowObject = TablePartObject<"Row">;
using ColumnsObject = TablePartObject<"Columns">;
using ColumnObject = TablePartObject<"Column">;
using CellObject = TablePartObject<"Cell">;
using BordersObject = TablePartObject<"Borders">;
using CellShapeObject = TablePartObject<"Shape">;

template <>
const MemberTable<RowsObject>& RowsObject::Members();
template <>
const MemberTable<RowObject>& RowObject::Members();
template <>
const MemberTable<ColumnsObject>& ColumnsObject::Members();
template <>
const MemberTable<ColumnObject>& ColumnObject::Members();
template <>
const MemberTable<CellObject>& CellObject::Members();
template <>
const MemberTable<BordersObject>& BordersObject::Members();
template <>
const MemberTable<CellShapeObject>& CellShapeObject::Members();

}  // namespace quillmere::engine
