#include "engine/model/format/TableCellStyle.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/model/document/XmlNames.h"
#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/TableGrid.h"

namespace quillmere::engine {
namespace {

// Rows and columns of a table, first and last, 0-based.
struct Region {
  int top = 0, left = 0, bottom = 0, right = 0;
};

// A part of the style that formats a cell, with the region of the table it formats.
struct AppliedPart {
  pugi::xml_node style;  // a:wholeTbl, a:band1H, a:firstRow, ...
  Region region;
};

pugi::xml_node StyleOf(PresentationDocument& doc, const pugi::xml_node& tableProperties) {
  // The list's "def" is the style new tables get; a table that names none has none.
  std::string_view id = ChildNamed(tableProperties, "tableStyleId").text().get();
  if (id.empty()) return {};
  const Relationship* rel = doc.Pkg().FindRelationshipOfType(doc.MainPart(), "tableStyles");
  pugi::xml_node list = rel && !rel->external ? doc.PartRoot(rel->target) : pugi::xml_node();
  for (pugi::xml_node style = list.first_child(); style; style = style.next_sibling())
    if (LocalName(style) == "tblStyle" && style.attribute("styleId").value() == id) return style;
  return {};
}

// A table naming a style the deck does not hold: one PowerPoint knows by its id.
bool NamesBuiltInStyle(PresentationDocument& doc, const pugi::xml_node& cell) {
  pugi::xml_node properties = ChildNamed(cell.parent().parent(), "tblPr");
  return !std::string_view(ChildNamed(properties, "tableStyleId").text().get()).empty() && !StyleOf(doc, properties);
}

// How many element siblings named so come before the node.
std::size_t PositionAmong(const pugi::xml_node& node, std::string_view localName) {
  std::size_t before = 0;
  for (pugi::xml_node n = node.previous_sibling(); n; n = n.previous_sibling())
    if (n.type() == pugi::node_element && LocalName(n) == localName) ++before;
  return before;
}

// What the cell covers: the whole merged region when it belongs to one. The
// grid holds each row's cells in order, so the cell's place is its position
// among its row's cells and its row's among the table's rows.
std::optional<Region> PlaceOf(const TableGrid& grid, const pugi::xml_node& cell) {
  std::size_t row = PositionAmong(cell.parent(), "tr"), column = PositionAmong(cell, "tc");
  if (row >= grid.cells.size() || column >= grid.cells[row].size() || grid.cells[row][column].cell != cell)
    return std::nullopt;
  const GridCell& at = grid.cells[row][column];
  return Region{at.originRow, at.originColumn, at.originRow + at.rowSpan - 1, at.originColumn + at.columnSpan - 1};
}

// The parts of the style that format the cell, highest-ranking first.
// PowerPoint lays them on in this order, each over the ones before: the whole
// table, the row bands, the column bands, the last and first columns, the last
// row and its corners, the first row and its corners.
std::vector<AppliedPart> PartsFormatting(const pugi::xml_node& style, const TableGrid& grid, const Region& cell) {
  auto on = [&](const char* flag) { return grid.properties.attribute(flag).as_bool(); };
  int lastRow = grid.Rows() - 1, lastColumn = grid.Columns() - 1;
  bool inFirstRow = on("firstRow") && cell.top == 0, inLastRow = on("lastRow") && cell.bottom == lastRow;
  bool inFirstColumn = on("firstCol") && cell.left == 0, inLastColumn = on("lastCol") && cell.right == lastColumn;
  // Bands alternate through the rows and columns between the first and last ones.
  int rowBand = cell.top - (on("firstRow") ? 1 : 0), columnBand = cell.left - (on("firstCol") ? 1 : 0);
  bool bandedRow = on("bandRow") && !inFirstRow && !inLastRow;
  bool bandedColumn = on("bandCol") && !inFirstColumn && !inLastColumn;
  Region row{cell.top, 0, cell.top, lastColumn}, column{0, cell.left, lastRow, cell.left};

  std::vector<AppliedPart> applied;
  auto add = [&](bool applies, std::string_view name, Region region) {
    if (!applies) return;
    if (pugi::xml_node part = ChildNamed(style, name)) applied.push_back({part, region});
  };
  add(true, "wholeTbl", {0, 0, lastRow, lastColumn});
  add(bandedRow && rowBand % 2 == 0, "band1H", row);
  add(bandedRow && rowBand % 2 == 1, "band2H", row);
  add(bandedColumn && columnBand % 2 == 0, "band1V", column);
  add(bandedColumn && columnBand % 2 == 1, "band2V", column);
  add(inLastColumn, "lastCol", {0, lastColumn, lastRow, lastColumn});
  add(inFirstColumn, "firstCol", {0, 0, lastRow, 0});
  add(inLastRow, "lastRow", {lastRow, 0, lastRow, lastColumn});
  add(inLastRow && inLastColumn, "seCell", {lastRow, lastColumn, lastRow, lastColumn});
  add(inLastRow && inFirstColumn, "swCell", {lastRow, 0, lastRow, 0});
  add(inFirstRow, "firstRow", {0, 0, 0, lastColumn});
  add(inFirstRow && inLastColumn, "neCell", {0, lastColumn, 0, lastColumn});
  add(inFirstRow && inFirstColumn, "nwCell", {0, 0, 0, 0});
  std::reverse(applied.begin(), applied.end());
  return applied;
}

// Calls find with each part formatting the cell, highest-ranking first, until
// it finds something; the regions given are the cell's and the part's.
template <class Find>
StyledNode FirstSetting(PresentationDocument& doc, const pugi::xml_node& cell, Find&& find) {
  pugi::xml_node table = cell.parent().parent();
  const TableGrid& grid = doc.TableGridOf(table);
  pugi::xml_node style = StyleOf(doc, grid.properties);
  std::optional<Region> place = PlaceOf(grid, cell);
  if (!style || !place) return {};
  for (const AppliedPart& part : PartsFormatting(style, grid, *place))
    if (StyledNode found = find(part.style, *place, part.region); found.node) return found;
  return {};
}

// A property a style part gives directly (a:fill, a:ln) or through the theme (a:fillRef, a:lnRef).
StyledNode Themeable(PresentationDocument& doc, const std::string& part, const pugi::xml_node& holder,
                     std::string_view direct, std::string_view reference) {
  if (pugi::xml_node given = ChildNamed(holder, direct)) return {given, {}};
  if (pugi::xml_node ref = ChildNamed(holder, reference)) return {ThemeStyleEntry(doc, part, ref), ReferenceColor(ref)};
  return {};
}

// The edge of a part's borders a side of the cell lies on.
std::string_view EdgeOf(std::string_view side, const Region& cell, const Region& part) {
  if (side == "lnL") return cell.left <= part.left ? "left" : "insideV";
  if (side == "lnR") return cell.right >= part.right ? "right" : "insideV";
  if (side == "lnT") return cell.top <= part.top ? "top" : "insideH";
  if (side == "lnB") return cell.bottom >= part.bottom ? "bottom" : "insideH";
  if (side == "lnTlToBr") return "tl2br";
  if (side == "lnBlToTr") return "tr2bl";
  return {};
}

}  // namespace

StyledNode TableStyleFill(PresentationDocument& doc, const std::string& part, const pugi::xml_node& cell) {
  return FirstSetting(doc, cell, [&](const pugi::xml_node& style, const Region&, const Region&) {
    StyledNode fill = Themeable(doc, part, ChildNamed(style, "tcStyle"), "fill", "fillRef");
    if (LocalName(fill.node) == "fill") fill.node = FillChildOf(fill.node);  // a:fill wraps the fill element
    return fill;
  });
}

StyledNode TableStyleLine(PresentationDocument& doc, const std::string& part, const pugi::xml_node& cell,
                          std::string_view side) {
  return FirstSetting(doc, cell, [&](const pugi::xml_node& style, const Region& place, const Region& region) {
    std::string_view edge = EdgeOf(side, place, region);
    if (edge.empty()) return StyledNode{};
    return Themeable(doc, part, ChildNamed(ChildNamed(ChildNamed(style, "tcStyle"), "tcBdr"), edge), "ln", "lnRef");
  });
}

void TableStyleTextDefaults(PresentationDocument& doc, const pugi::xml_node& cell, pugi::xml_node defaults) {
  // The a:tcTxStyle of the highest-ranking part that sets what `sets` looks for.
  auto first = [&](auto&& sets) {
    return FirstSetting(doc, cell, [&](const pugi::xml_node& style, const Region&, const Region&) {
             pugi::xml_node text = ChildNamed(style, "tcTxStyle");
             return StyledNode{sets(text) ? text : pugi::xml_node(), {}};
           })
        .node;
  };
  for (const char* flag : {"b", "i"}) {
    // "def" leaves the choice to the parts below.
    pugi::xml_node text = first([flag](const pugi::xml_node& t) {
      std::string_view value = t.attribute(flag).value();
      return value == "on" || value == "off";
    });
    if (text) defaults.append_attribute(flag) = std::string_view(text.attribute(flag).value()) == "on" ? "1" : "0";
  }
  // The theme's major or minor fonts, named as text names them.
  auto themeFonts = [&](std::string_view prefix) {
    for (std::string_view script : {"latin", "ea", "cs"})
      defaults.append_child(std::string(script).c_str()).append_attribute("typeface") =
          (std::string(prefix) + std::string(script == "latin" ? "lt" : script)).c_str();
  };
  auto namesFont = [](const pugi::xml_node& t) { return ChildNamed(t, "font") || ChildNamed(t, "fontRef"); };
  if (NamesBuiltInStyle(doc, cell)) {
    // PowerPoint's built-in styles, which a deck names by id alone, give every cell the minor font.
    themeFonts("+mn-");
  } else if (pugi::xml_node text = first(namesFont)) {
    if (pugi::xml_node font = ChildNamed(text, "font")) {
      for (pugi::xml_node typeface = font.first_child(); typeface; typeface = typeface.next_sibling())
        defaults.append_copy(typeface);
    } else if (std::string_view set = ChildNamed(text, "fontRef").attribute("idx").value(); set != "none") {
      themeFonts(set == "major" ? "+mj-" : "+mn-");
    }
  }
  // The text colour is the style's own colour element, not its font reference's.
  if (pugi::xml_node text = first([](const pugi::xml_node& t) { return static_cast<bool>(ColorChildOf(t)); }))
    defaults.append_child("solidFill").append_copy(ColorChildOf(text));
}

}  // namespace quillmere::engine
