#pragma once
// Every shape of a part by its name, group members at any depth included, for
// Shapes.Range: the shape image export asks for two names per image, and
// walking the slide for each went through every shape of every group.

#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillmere::engine {

class ShapeNames {
 public:
  // The shapes under a part's shape tree, each kept as the tree child it is
  // (an mc:AlternateContent included) under the name of the variant read.
  static ShapeNames Of(const pugi::xml_node& tree);
  // A tree child and, for a group, its members, under their names now.
  void Add(const pugi::xml_node& treeChild);
  // A tree child and its members, under the names they were added with.
  void Remove(const pugi::xml_node& treeChild);
  // The shapes with that name (ASCII case ignored), in no particular order.
  const std::vector<pugi::xml_node>& Named(std::string_view name) const;

 private:
  std::unordered_map<std::string, std::vector<pugi::xml_node>> byName_;
  std::unordered_map<const void*, std::string> nameOf_;
};

// For an edit that leaves every shape where it was, under its name.
inline void NamesStay(ShapeNames&) {}

}  // namespace quillmere::engine
