#pragma once
// How collections of shapes find one by a 1-based index or by its name, as
// Shapes.Item, Shapes.Range and GroupItems.Item take either.

#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "component/automation/Dispatch.h"

namespace quillmere::engine {

// The tree child at that index or with that name (case-insensitive, the
// first of equal names); throws ComError as PowerPoint fails for a bad key.
pugi::xml_node ShapeByIndexOrName(const std::vector<pugi::xml_node>& shapes, const Value& key,
                                  std::string_view collection);

}  // namespace quillmere::engine
