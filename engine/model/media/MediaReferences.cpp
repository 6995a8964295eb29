#include "engine/model/media/MediaReferences.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// A time in milliseconds; missing, unreadable or negative times are 0.
double Milliseconds(const pugi::xml_attribute& a) {
  std::string_view text = a.value();
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < 0) return 0;
  return value;
}

pugi::xml_node Media2010(const pugi::xml_node& nvPr) {
  pugi::xml_node media;
  ForEachChildNamed(ChildNamed(nvPr, "extLst"), "ext", [&](const pugi::xml_node& ext) {
    if (!media) media = ChildNamed(ext, "media");
  });
  return media;
}

// Takes what one relationship id leads to: a part the package has, or a file outside it.
void Follow(Package& package, const std::string& part, std::string_view id, MediaReference& reference) {
  if (id.empty()) return;
  const Relationship* rel = package.FindRelationship(part, id);
  if (!rel) return;
  if (rel->external) {
    if (reference.linkedTarget.empty()) reference.linkedTarget = rel->target;
  } else if (reference.embeddedPart.empty() && package.HasPart(rel->target)) {
    reference.embeddedPart = rel->target;
  }
}

}  // namespace

std::optional<MediaReference> MediaReferenceOf(Package& package, const std::string& part, const pugi::xml_node& shape) {
  if (LocalName(shape) != "pic" || ContentTypeOf(shape) != shape_type::kMedia) return std::nullopt;
  pugi::xml_node nvPr = ChildNamed(DrawingPropertiesOf(shape).parent(), "nvPr");
  pugi::xml_node media = Media2010(nvPr);
  MediaReference reference;
  // The part PowerPoint 2010 plays first, then the older references.
  Follow(package, part, PrefixedAttribute(media, "embed").value(), reference);
  Follow(package, part, PrefixedAttribute(media, "link").value(), reference);
  Follow(package, part, PrefixedAttribute(ChildNamed(nvPr, "wavAudioFile"), "embed").value(), reference);
  for (std::string_view file : {"audioFile", "videoFile", "quickTimeFile", "wavAudioFile"})
    Follow(package, part, PrefixedAttribute(ChildNamed(nvPr, file), "link").value(), reference);
  pugi::xml_node trim = ChildNamed(media, "trim"), fade = ChildNamed(media, "fade");
  reference.trimStart = Milliseconds(trim.attribute("st"));
  reference.trimEnd = Milliseconds(trim.attribute("end"));
  reference.fadeIn = Milliseconds(fade.attribute("in"));
  reference.fadeOut = Milliseconds(fade.attribute("out"));
  return reference;
}

double MediaPlayTime(const AnimationTimeline& timeline, std::uint32_t shapeId) {
  double longest = 0;
  auto scan = [&](const AnimSequenceModel& sequence) {
    for (const AnimEffectModel& effect : sequence.effects) {
      if (effect.shapeId != shapeId) continue;
      for (const AnimBehavior& b : effect.behaviors)
        if (b.element == "cmd" && b.command.starts_with("playFrom") && b.timing.duration &&
            !b.timing.duration->indefinite)
          longest = std::max(longest, b.timing.duration->ms);
    }
  };
  scan(timeline.mainSequence);
  for (const AnimSequenceModel& sequence : timeline.interactiveSequences) scan(sequence);
  return longest;
}

const AnimMediaNode* MediaNodeOf(const AnimationTimeline& timeline, std::uint32_t shapeId) {
  for (const AnimMediaNode& node : timeline.mediaNodes)
    if (node.shapeId == shapeId) return &node;
  return nullptr;
}

}  // namespace quillmere::engine
