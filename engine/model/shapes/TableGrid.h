#pragma once
// A table (a:tbl of a graphic frame) as a grid: column widths, row heights,
// and for every grid position the cell that covers it, merged regions
// (gridSpan/rowSpan at their first cell, hMerge/vMerge on the others)
// resolved to the cell they start at.

#include <pugixml.hpp>
#include <vector>

namespace quillmere::engine {

struct GridCell {
  pugi::xml_node cell;  // the a:tc at this position
  int originRow = 0, originColumn = 0;  // 0-based: where the region covering this position starts
  int rowSpan = 1, columnSpan = 1;      // of that region
};

struct TableGrid {
  std::vector<double> columnWidths, rowHeights;  // points
  std::vector<std::vector<GridCell>> cells;      // [row][column]
  pugi::xml_node properties;                     // a:tblPr

  int Rows() const { return static_cast<int>(rowHeights.size()); }
  int Columns() const { return static_cast<int>(columnWidths.size()); }
};

// The a:tbl inside a graphic frame, or an empty node.
pugi::xml_node TableOf(const pugi::xml_node& graphicFrame);
TableGrid ReadTableGrid(const pugi::xml_node& table);

}  // namespace quillmere::engine
