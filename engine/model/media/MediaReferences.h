#pragma once
// Where the sound or movie of a media picture lives: a part of the package
// (embedded) or a file outside it (linked), and what p14:media says about how
// it plays (trim, fades).

#include <cstdint>
#include <optional>
#include <string>

#include <pugixml.hpp>

#include "engine/model/timeline/AnimationTimeline.h"
#include "engine/package/Package.h"

namespace quillmere::engine {

struct MediaReference {
  // The package part holding the media's bytes; "" when none the package has
  // (linked media, a missing relationship or part).
  std::string embeddedPart;
  // The external relationship target as written; "" when the media is not linked.
  std::string linkedTarget;
  // p14:trim and p14:fade, in milliseconds.
  double trimStart = 0, trimEnd = 0, fadeIn = 0, fadeOut = 0;
};

// The reference of a media picture (p:pic with a:audioFile, a:wavAudioFile,
// a:videoFile, a:quickTimeFile or p14:media), nullopt for any other shape.
// PowerPoint 2010 writes the media twice: p14:media r:embed for the part and
// a:audioFile r:link to the same part; PowerPoint 2007 embeds a WAV through
// a:wavAudioFile r:embed and links everything else through r:link.
std::optional<MediaReference> MediaReferenceOf(Package& package, const std::string& part, const pugi::xml_node& shape);

// How long the timeline plays the shape's media, in milliseconds: the longest
// playFrom command on it (PowerPoint gives the command the length it plays),
// 0 when nothing plays it.
double MediaPlayTime(const AnimationTimeline& timeline, std::uint32_t shapeId);
// The p:audio or p:video node of the shape, or nullptr.
const AnimMediaNode* MediaNodeOf(const AnimationTimeline& timeline, std::uint32_t shapeId);

}  // namespace quillmere::engine
