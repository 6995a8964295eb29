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

// Keep a list read as its rels part changes, one element at a time: reading
// the list again would resolve every target once more.
void ElementAdded(RelationshipList& list, const pugi::xml_node& element, std::string_view sourcePart);
void ElementRemoved(RelationshipList& list, const pugi::xml_node& element);

}  // namespace quillmere::engine
