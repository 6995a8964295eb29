#pragma once
// The PpEntryEffect of a slide transition's effect element.

#include <optional>

#include <pugixml.hpp>

namespace quillmere::engine {

inline constexpr int kEffectNone = 0;

// The PpEntryEffect of the effect element inside a p:transition (p:fade,
// p14:vortex, p15:prstTrans, p159:morph, ...), read with the defaults its
// attributes have when absent; nullopt for an element or a preset this
// engine does not know.
std::optional<int> EntryEffectOf(const pugi::xml_node& effect);

}  // namespace quillmere::engine
