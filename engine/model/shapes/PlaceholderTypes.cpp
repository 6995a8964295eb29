#include "engine/model/shapes/PlaceholderTypes.h"

#include <string_view>

namespace quillmere::engine {
namespace {

struct PlaceholderKind {
  std::string_view token;
  int type;
  int vertical;  // the type with orient="vert"
};

// PpPlaceholderType values beside the ST_PlaceholderType tokens.
constexpr PlaceholderKind kKinds[] = {
    {"title", 1, 5},    {"body", 2, 6},     {"ctrTitle", 3, 3}, {"subTitle", 4, 4}, {"obj", 7, 17},
    {"chart", 8, 8},    {"clipArt", 9, 9},  {"media", 10, 10},  {"dgm", 11, 11},    {"tbl", 12, 12},
    {"sldNum", 13, 13}, {"hdr", 14, 14},    {"ftr", 15, 15},    {"dt", 16, 16},     {"pic", 18, 18},
    {"sldImg", 101, 101},
};

// A p:ph without a type, or with one unknown here, is an object placeholder.
const PlaceholderKind& KindOf(std::string_view token) {
  for (const PlaceholderKind& k : kKinds)
    if (k.token == token) return k;
  return KindOf("obj");
}

}  // namespace

int PlaceholderType(const pugi::xml_node& ph) {
  const PlaceholderKind& kind = KindOf(ph.attribute("type").value());
  return std::string_view(ph.attribute("orient").value()) == "vert" ? kind.vertical : kind.type;
}

bool IsTitlePlaceholder(const pugi::xml_node& ph) {
  if (!ph) return false;
  std::string_view token = ph.attribute("type").value();
  return token == "title" || token == "ctrTitle";
}

}  // namespace quillmere::engine
