#pragma once
// The AnimationTimeline of a slide, slide master or custom layout: one
// Animation per effect of the main sequence, then of the interactive
// sequences, with the animated shape, the effect and its timing.

#include <string>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Appends AnimationTimeline to parent.
void AnimationSettings(ExportContext& context, const Object& owner, pugi::xml_node parent);

// Fills one Animation element from an effect; start is its Start text
// ("-1" for effects that wait for a trigger shape).
void WriteAnimationEffect(ExportContext& context, const Object& effect, const std::string& start,
                          pugi::xml_node animation);

}  // namespace quillmere
