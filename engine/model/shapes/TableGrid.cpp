#include "engine/model/shapes/TableGrid.h"

#include <algorithm>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
pugi::xml_node TableOf(const pugi::xml_node& graphicFrame) {
  return ChildNamed(ChildNamed(ChildNamed(graphicFrame, "graphic"), "graphicData"), "tbl");
}

TableGrid ReadTableGrid(const pugi::xml_node& table) {
  TableGrid grid;
  grid.properties = ChildNamed(table, "tblPr");
  ForEachChildNamed(ChildNamed(table, "tblGrid"), "gridCol",
                    [&](const pugi::xml_node& c) { grid.columnWidths.push_back(c.attribute("w").as_double() / kEmuPerPoint); });
  int columns = grid.Columns();
  ForEachChildNamed(table, "tr", [&](const pugi::xml_node& row) {
    grid.rowHeights.push_back(row.attribute("h").as_double() / kEmuPerPoint);
    std::vector<GridCell>& cells = grid.cells.emplace_back(static_cast<std::size_t>(columns));
    int column = 0;
    ForEachChildNamed(row, "tc", [&](const pugi::xml_node& tc) {
      if (column < columns) cells[static_cast<std::size_t>(column++)].cell = tc;
    });
  });
  // Each region's first cell names its spans; the cells it covers point back to it.
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < columns; ++c) {
      GridCell& at = grid.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      at.originRow = r;
      at.originColumn = c;
      bool coveredAcross = at.cell.attribute("hMerge").as_bool() && c > 0;
      bool coveredDown = at.cell.attribute("vMerge").as_bool() && r > 0;
      if (coveredAcross || coveredDown) {
        const GridCell& from = coveredAcross ? grid.cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c - 1)]
                                             : grid.cells[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c)];
        at.originRow = from.originRow;
        at.originColumn = from.originColumn;
        at.rowSpan = from.rowSpan;
        at.columnSpan = from.columnSpan;
        continue;
      }
      at.rowSpan = std::clamp(at.cell.attribute("rowSpan").as_int(1), 1, grid.Rows() - r);
      at.columnSpan = std::clamp(at.cell.attribute("gridSpan").as_int(1), 1, columns - c);
    }
  return grid;
}

}  // namespace quillmere::engine
