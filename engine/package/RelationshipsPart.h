#pragma once
// The relationships of one source part, read from the DOM of its rels part.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "engine/package/Package.h"

namespace quillmere::engine {

struct RelationshipList {
  std::vector<Relationship> items;
  std::unordered_map<std::string, size_t> byId;  // the first of a repeated id wins
};

// Internal targets are resolved against sourcePart; entries without an Id or
// a Target are skipped.
RelationshipList ReadRelationships(const pugi::xml_document* rels, std::string_view sourcePart);

}  // namespace quillmere::engine
