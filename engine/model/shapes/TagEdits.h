#pragma once
// Tags written on the presentation, a slide or a shape: kept in a tags part
// (p:tagLst) that the owner's p:custDataLst names, as PowerPoint keeps them.

#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// Sets the tag, its name upper-cased as PowerPoint stores it; a tag of that
// name already there takes the new value. The owner is what TagOwner answers
// for part (and shape); its tags part and reference are made when it has none.
void SetTag(PresentationDocument& doc, const std::string& part, pugi::xml_node owner, std::string_view name,
            std::string_view value);
// Removes the tag of that name (any case); false when there is none.
bool DeleteTag(PresentationDocument& doc, const std::string& part, pugi::xml_node owner, std::string_view name);

}  // namespace quillmere::engine
