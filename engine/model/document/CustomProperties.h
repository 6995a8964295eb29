#pragma once
// The custom document properties of a package (docProps/custom.xml), read and
// edited in its DOM so that a saved copy carries the edits.

#include <optional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "engine/package/Package.h"
#include "objectmodel/automation/Value.h"

namespace quillmere::engine {

class CustomProperties {
 public:
  explicit CustomProperties(Package& package);

  int Count() const;
  std::optional<int> IndexOf(std::string_view name) const;  // 1-based, case-insensitive
  std::string Name(int index) const;
  Value ValueAt(int index) const;
  void Remove(int index);

 private:
  pugi::xml_node PropertyAt(int index) const;
  Package& package_;
  std::string part_;
  pugi::xml_node root_;
};

}  // namespace quillmere::engine
