#pragma once
// What a sound or movie shape answers about its media: MediaFormat (PowerPoint
// 2010 on: length, trim, fades, volume, whether it is linked or embedded) and
// SoundFormat (the older view of a sound, whose Export writes the sound's
// embedded bytes to a file).

#include <memory>

#include "engine/core/EngineObject.h"
#include "engine/model/media/MediaReferences.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

// Shape.MediaFormat and Shape.SoundFormat; both fail like PowerPoint for a
// shape they do not apply to (SoundFormat: anything but a sound).
Value MediaFormatOf(const std::shared_ptr<ShapeObject>& shape);
Value SoundFormatOf(const std::shared_ptr<ShapeObject>& shape);

class MediaFormatObject final : public EngineObject<MediaFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "MediaFormat";
  static const MemberTable<MediaFormatObject>& Members();
  MediaFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, MediaReference r)
      : EngineObject(std::move(s)), shape(std::move(sh)), reference(std::move(r)) {}
  std::shared_ptr<ShapeObject> shape;
  MediaReference reference;
};

class SoundFormatObject final : public EngineObject<SoundFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "SoundFormat";
  static const MemberTable<SoundFormatObject>& Members();
  SoundFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, MediaReference r)
      : EngineObject(std::move(s)), shape(std::move(sh)), reference(std::move(r)) {}
  std::shared_ptr<ShapeObject> shape;
  MediaReference reference;
};

}  // namespace quillmere::engine
