#pragma once
// Children the engine adds go where the schema wants them among those
// already there, so that what it writes opens in PowerPoint and LibreOffice.

#include <algorithm>
#include <array>
#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"

namespace quillmere::engine {

// The children of p:spPr (and p:grpSpPr) in schema order.
inline constexpr std::array<std::string_view, 15> kShapePropertyOrder{
    "xfrm",    "custGeom", "prstGeom",  "noFill",    "solidFill", "gradFill", "blipFill", "pattFill",
    "grpFill", "ln",       "effectLst", "effectDag", "scene3d",   "sp3d",     "extLst"};

// The children of a:rPr (and the other character properties) in schema order.
inline constexpr std::array<std::string_view, 22> kRunPropertyOrder{
    "ln",        "noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill", "effectLst",
    "effectDag", "highlight", "uLnTx",  "uLn",      "uFillTx",  "uFill",    "latin",   "ea",
    "cs",        "sym",    "hlinkClick", "hlinkMouseOver", "rtl", "extLst"};

// The children of a table cell's a:tcPr in schema order.
inline constexpr std::array<std::string_view, 15> kCellPropertyOrder{
    "lnL",       "lnR",      "lnT",      "lnB",      "lnTlToBr", "lnBlToTr", "cell3D", "noFill",
    "solidFill", "gradFill", "blipFill", "pattFill", "grpFill",  "headers",  "extLst"};

// Where a name stands in an order; names the order lacks come last.
template <std::size_t N>
std::size_t Rank(const std::array<std::string_view, N>& order, std::string_view name) {
  return static_cast<std::size_t>(std::find(order.begin(), order.end(), name) - order.begin());
}

// A new DrawingML child of that name before the first child the order puts after it.
template <std::size_t N>
pugi::xml_node InsertInOrder(pugi::xml_node parent, std::string_view name, const std::array<std::string_view, N>& order) {
  std::string qualified = DrawingName(parent, name);
  std::size_t rank = Rank(order, name);
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && Rank(order, LocalName(c)) > rank)
      return parent.insert_child_before(qualified.c_str(), c);
  return parent.append_child(qualified.c_str());
}

}  // namespace quillmere::engine
