#pragma once
// The effects a shape shows (a:effectLst: shadows, glow, soft edge,
// reflection) and its 3-D look (a:scene3d, a:sp3d), as PowerPoint finds
// them: the shape's own, else its placeholder's on the layout and master,
// else its style's effect entry in the theme. Hiding them for a picture and
// putting them back edits the shape's own properties.

#include <pugixml.hpp>
#include <span>
#include <string>
#include <string_view>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

using Names = std::span<const std::string_view>;

// The a:effectLst (or a:effectDag), a:scene3d or a:sp3d in effect, or an empty node.
pugi::xml_node EffectiveElement(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                std::string_view name);
// The first effect in effect with one of those names ("outerShdw", "glow", ...).
pugi::xml_node EffectiveEffect(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                               Names names);

// Takes those effects off the shape, keeping them under `key` for RestoreEffects. False when it had none.
bool HideEffects(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape, Names names,
                 std::string_view key);
// Puts back what HideEffects kept under `key`; false when nothing was kept.
bool RestoreEffects(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                    std::string_view key);
// The shape's own effect of that name, made (empty) when missing, for a member that sets it.
pugi::xml_node OwnEffect(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                         std::string_view name);

// Whether a scene and shape 3-D pair (of a shape, or of its text) give a bevel, depth or
// contour, or a turned or perspective camera.
bool Looks3D(const pugi::xml_node& scene3d, const pugi::xml_node& sp3d);
// Whether the shape looks 3-D.
bool Has3D(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);
// Shows the shape flat (a front camera, no bevel or depth), keeping its own 3-D to put back.
void Hide3D(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape);
// Puts back what Hide3D kept; false when nothing was kept.
bool Restore3D(PresentationDocument& doc, const pugi::xml_node& shape);

}  // namespace quillmere::engine
