#pragma once
// The format objects of a shape that read one part of its formatting: shadow,
// glow, soft edge, reflection and 3-D (from the effects in effect for it),
// picture and text-effect format. The first five the writers switch off on a
// shape before drawing it and back on afterwards, so each edit puts back
// exactly what was there.

#include <memory>
#include <string_view>

#include "engine/objects/ShapeObjects.h"

namespace quillmere::engine {

// One format object of a shape; Kind names it and its members are defined per kind.
template <class Kind>
class ShapeFormatObject final : public EngineObject<ShapeFormatObject<Kind>> {
 public:
  static constexpr std::string_view kTypeName = Kind::kTypeName;
  static const MemberTable<ShapeFormatObject>& Members();
  ShapeFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject<ShapeFormatObject<Kind>>(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

struct ShadowKind {
  static constexpr std::string_view kTypeName = "ShadowFormat";
};
struct GlowKind {
  static constexpr std::string_view kTypeName = "GlowFormat";
};
struct SoftEdgeKind {
  static constexpr std::string_view kTypeName = "SoftEdgeFormat";
};
struct ReflectionKind {
  static constexpr std::string_view kTypeName = "ReflectionFormat";
};
struct ThreeDKind {
  static constexpr std::string_view kTypeName = "ThreeDFormat";
};
struct PictureKind {
  static constexpr std::string_view kTypeName = "PictureFormat";
};
struct TextEffectKind {
  static constexpr std::string_view kTypeName = "TextEffectFormat";
};

using ShadowFormatObject = ShapeFormatObject<ShadowKind>;
using GlowFormatObject = ShapeFormatObject<GlowKind>;
using SoftEdgeFormatObject = ShapeFormatObject<SoftEdgeKind>;
using ReflectionFormatObject = ShapeFormatObject<ReflectionKind>;
using ThreeDFormatObject = ShapeFormatObject<ThreeDKind>;
using PictureFormatObject = ShapeFormatObject<PictureKind>;
using TextEffectFormatObject = ShapeFormatObject<TextEffectKind>;

template <>
const MemberTable<ShadowFormatObject>& ShadowFormatObject::Members();
template <>
const MemberTable<GlowFormatObject>& GlowFormatObject::Members();
template <>
const MemberTable<SoftEdgeFormatObject>& SoftEdgeFormatObject::Members();
template <>
const MemberTable<ReflectionFormatObject>& ReflectionFormatObject::Members();
template <>
const MemberTable<ThreeDFormatObject>& ThreeDFormatObject::Members();
template <>
const MemberTable<PictureFormatObject>& PictureFormatObject::Members();
template <>
const MemberTable<TextEffectFormatObject>& TextEffectFormatObject::Members();

}  // namespace quillmere::engine
