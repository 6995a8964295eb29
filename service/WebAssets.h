#pragma once
// The web page's files (web/), built into the tool so that the service
// needs nothing beside it.

#include <string_view>
#include <vector>

namespace quillmere::service {

struct WebAsset {
  std::string_view path;  // where it is served: "/" for the page itself
  std::string_view type;  // its Content-Type
  std::string_view body;
};

const std::vector<WebAsset>& WebAssets();

}  // namespace quillmere::service
