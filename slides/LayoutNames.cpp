#include "slides/LayoutNames.h"

#include <array>

namespace quillmere {
namespace {

constexpr std::array<std::string_view, 31> kLayoutNames{
    "Title",
    "Text",
    "Two Column Text",
    "Table",
    "Text And Chart",
    "Chart And Text",
    "Orgchart",
    "Chart",
    "Text And Clipart",
    "Clipart And Text",
    "Title Only",
    "Blank",
    "Text And Object",
    "Object And Text",
    "Large Object",
    "Object",
    "Text And Media Clip",
    "Media Clip And Text",
    "Object Over Text",
    "Text Over Object",
    "Text And Two Objects",
    "Two Objects And Text",
    "Two Objects Over Text",
    "Four Objects",
    "Vertical Text",
    "ClipArt And Vertical Text",
    "Vertical Title And Text",
    "Vertical Title And Text Over Chart",
    "Two Objects",
    "Object And Two Objects",
    "Two Objects And Object",
};

}  // namespace

std::string_view LayoutName(std::int32_t layout) {
  if (layout < 1 || layout > static_cast<std::int32_t>(kLayoutNames.size())) return {};
  return kLayoutNames[static_cast<std::size_t>(layout - 1)];
}

}  // namespace quillmere
